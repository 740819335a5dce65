#include "engine/movie/MovieFile.h"

#include <algorithm>
#include <cstring>

#include "engine/file/ZipSingleFile.h"

namespace {

constexpr char kSingleMagic[] = "PIRUPACK4S";
constexpr size_t kMagicSize = sizeof(kSingleMagic) - 1;

class CSharedBytesSource : public IMovieSource {
public:
    explicit CSharedBytesSource(std::shared_ptr<const std::vector<uint8_t>> bytes) : m_Bytes(std::move(bytes)) {}
    int Read(uint8_t* buffer, int size) override {
        const int64_t left = static_cast<int64_t>(m_Bytes->size()) - m_Pos;
        const int n = static_cast<int>(std::clamp<int64_t>(left, 0, size));
        if (n > 0) std::memcpy(buffer, m_Bytes->data() + m_Pos, static_cast<size_t>(n));
        m_Pos += n;
        return n;
    }
    int64_t Seek(int64_t offset, int origin) override {
        const int64_t base = origin == 0 ? 0 : origin == 1 ? m_Pos : static_cast<int64_t>(m_Bytes->size());
        const int64_t to = base + offset;
        if (to < 0 || to > static_cast<int64_t>(m_Bytes->size())) return -1;
        return m_Pos = to;
    }
    int64_t GetSize() const override { return static_cast<int64_t>(m_Bytes->size()); }

private:
    std::shared_ptr<const std::vector<uint8_t>> m_Bytes;
    int64_t m_Pos = 0;
};

}  // namespace

int CFileMovieSource::Read(uint8_t* buffer, int size) {
    if (size <= 0) return 0;
    return static_cast<int>(m_File->Read(buffer, 1, static_cast<size_t>(size)));
}

int64_t CFileMovieSource::Seek(int64_t offset, int origin) {
    if (!m_File->Seek(offset, origin)) return -1;
    return m_File->Tell();
}

std::unique_ptr<CMovieFile> CMovieFile::Open(const std::string& path) {
    auto file = std::make_unique<CFile>();
    if (!file->Open(path)) return nullptr;
    char magic[kMagicSize] = {};
    const bool single =
        file->Read(magic, 1, kMagicSize) == kMagicSize && std::memcmp(magic, kSingleMagic, kMagicSize) == 0;
    auto movie = std::unique_ptr<CMovieFile>(new CMovieFile());
    movie->m_Path = path;
    if (single) {
        CZipSingleFile zip;
        if (!zip.Open(path)) return nullptr;
        movie->m_Bytes = std::make_shared<const std::vector<uint8_t>>(zip.Release());
    }
    return movie;
}

std::unique_ptr<IMovieSource> CMovieFile::CreateSource() const {
    if (m_Bytes) return std::make_unique<CSharedBytesSource>(m_Bytes);
    auto file = std::make_unique<CFile>();
    if (!file->Open(m_Path)) return nullptr;
    return std::make_unique<CFileMovieSource>(std::move(file));
}
