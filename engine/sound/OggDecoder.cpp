#include "engine/sound/OggDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/base/Log.h"

struct COggDecoder::SState {
    OggVorbis_File vf{};
    bool open = false;
};

namespace {

size_t ReadCallback(void* ptr, size_t size, size_t nmemb, void* source) {
    auto* file = static_cast<IFileObject*>(source);
    if (size == 0 || nmemb == 0) return 0;
    return file->Read(ptr, 1, size * nmemb) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<IFileObject*>(source);
    int origin = whence == SEEK_CUR ? IFileObject::SEEK_FROM_CURRENT
               : whence == SEEK_END ? IFileObject::SEEK_FROM_END
                                    : IFileObject::SEEK_FROM_BEGIN;
    return file->Seek(offset, origin) ? 0 : -1;
}

// The file object belongs to the decoder, which closes it itself.
int CloseCallback(void* /*source*/) { return 0; }

long TellCallback(void* source) { return static_cast<long>(static_cast<IFileObject*>(source)->Tell()); }

}  // namespace

COggDecoder::COggDecoder() : m_State(std::make_unique<SState>()) {}

COggDecoder::~COggDecoder() { _Close(); }

void COggDecoder::_Close() {
    if (m_State->open) {
        ov_clear(&m_State->vf);
        m_State->open = false;
    }
    m_File.reset();
}

bool COggDecoder::_EndsWithLastPage(IFileObject* file) {
    const int64_t size = file->GetSize();
    const int64_t tail = std::min<int64_t>(size, 65536 + 27 + 255);
    std::vector<uint8_t> buf(static_cast<size_t>(tail));
    if (tail < 27 || !file->Seek(size - tail) || file->Read(buf.data(), buf.size(), 1) != 1) return false;
    // The last page that is whole decides: a cut file ends inside a page or after one
    // that does not close the stream.
    for (int64_t i = tail - 27; i >= 0; --i) {
        const uint8_t* p = buf.data() + i;
        if (std::memcmp(p, "OggS", 4) != 0 || p[4] != 0) continue;
        int64_t segs = p[26];
        if (i + 27 + segs > tail) continue;
        int64_t body = 0;
        for (int64_t k = 0; k < segs; ++k) body += p[27 + k];
        if (i + 27 + segs + body > tail) continue;
        return (p[5] & 0x04) != 0;
    }
    return false;
}

bool COggDecoder::Open(std::unique_ptr<IFileObject> file, const std::string& name) {
    _Close();
    m_Name = name;
    m_Frames = m_Pos = 0;
    m_Failed = false;
    m_HoleReported = false;
    if (!file || !file->IsOpen()) return false;
    if (!_EndsWithLastPage(file.get())) {
        DebugPrintf("COggDecoder::Open() Oggファイルが途中で切れています[%s]", name.c_str());
        return false;
    }
    file->Seek(0);
    m_File = std::move(file);
    ov_callbacks cb{ReadCallback, SeekCallback, CloseCallback, TellCallback};
    int r = ov_open_callbacks(m_File.get(), &m_State->vf, nullptr, 0, cb);
    if (r != 0) {
        DebugPrintf("COggDecoder::Open() ov_open_callbacks()に失敗[%s][%d]", name.c_str(), r);
        m_File.reset();
        return false;
    }
    m_State->open = true;
    vorbis_info* info = ov_info(&m_State->vf, 0);
    ogg_int64_t total = ov_pcm_total(&m_State->vf, -1);
    bool ok = info && (info->channels == 1 || info->channels == 2) && info->rate >= 100 && info->rate <= 200000 &&
              total > 0;
    // Every link of a chained file must share the first one's format.
    long links = ov_streams(&m_State->vf);
    for (long l = 1; ok && l < links; ++l) {
        vorbis_info* li = ov_info(&m_State->vf, static_cast<int>(l));
        ok = li && li->channels == info->channels && li->rate == info->rate;
    }
    if (!ok) {
        DebugPrintf("COggDecoder::Open() 対応していない形式です[%s]", name.c_str());
        _Close();
        return false;
    }
    m_Format.channels = static_cast<uint16_t>(info->channels);
    m_Format.rate = static_cast<uint32_t>(info->rate);
    m_Format.bits = 16;
    m_Frames = static_cast<uint64_t>(total);
    return true;
}

uint32_t COggDecoder::Read(void* out, uint32_t frames) {
    if (!m_State->open || m_Failed || m_Pos >= m_Frames) return 0;
    uint32_t want = static_cast<uint32_t>(std::min<uint64_t>(frames, m_Frames - m_Pos));
    const uint32_t align = m_Format.BlockAlign();
    char* dst = static_cast<char*>(out);
    uint32_t done = 0;
    int holes = 0;
    while (done < want) {
        int bitstream = 0;
        long got = ov_read(&m_State->vf, dst + static_cast<size_t>(done) * align,
                           static_cast<int>(std::min<uint32_t>(want - done, 1u << 16) * align), 0, 2, 1, &bitstream);
        if (got == OV_HOLE) {
            if (!m_HoleReported) {
                DebugPrintf("COggDecoder::Read() データが欠けています[%s]", m_Name.c_str());
                m_HoleReported = true;
            }
            if (++holes > 64) {
                m_Failed = true;
                break;
            }
            continue;
        }
        if (got < 0) {
            DebugPrintf("COggDecoder::Read() ov_read()に失敗[%s][%ld]", m_Name.c_str(), got);
            m_Failed = true;
            break;
        }
        if (got == 0) break;
        done += static_cast<uint32_t>(got) / align;
    }
    m_Pos += done;
    return done;
}

bool COggDecoder::SeekFrame(uint64_t frame) {
    if (!m_State->open) return false;
    m_Pos = std::min(frame, m_Frames);
    if (ov_pcm_seek(&m_State->vf, static_cast<ogg_int64_t>(m_Pos)) != 0) {
        DebugPrintf("COggDecoder::SeekFrame() ov_pcm_seek()に失敗[%s]", m_Name.c_str());
        return false;
    }
    return true;
}
