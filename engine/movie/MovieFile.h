#pragma once
// The movie file as the game finds it: a container read straight through the file
// layer (streamed, a file opened per reader), or the single-file ".pak" form, which is
// inflated once into memory that every reader shares.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/file/File.h"
#include "platform/movie/MovieDecoder.h"

// A movie source over a file of the file layer.
class CFileMovieSource : public IMovieSource {
public:
    explicit CFileMovieSource(std::unique_ptr<IFileObject> file) : m_File(std::move(file)) {}
    int Read(uint8_t* buffer, int size) override;
    int64_t Seek(int64_t offset, int origin) override;
    int64_t GetSize() const override { return m_File->GetSize(); }

private:
    std::unique_ptr<IFileObject> m_File;
};

class CMovieFile {
public:
    // Null (logged by the file layer) when the file is found nowhere or its
    // single-file form is damaged.
    static std::unique_ptr<CMovieFile> Open(const std::string& path);
    // A new reader from the start of the movie; null when the file went away.
    std::unique_ptr<IMovieSource> CreateSource() const;
    bool IsSingleFileForm() const { return m_Bytes != nullptr; }

private:
    std::string m_Path;
    std::shared_ptr<const std::vector<uint8_t>> m_Bytes;
};
