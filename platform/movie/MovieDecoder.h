#pragma once
// The movie decoder: one container read through a source of the caller's, its first
// video stream turned into letterboxed 32-bit pictures and its first audio stream into
// 16-bit stereo PCM at a fixed rate.  An object reads one stream: packets of the other
// are dropped, so the player opens two over the same file (pictures on its decoding
// thread, sound on the sound stream's thread) and neither waits for the other.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Where the container's bytes come from.
class IMovieSource {
public:
    virtual ~IMovieSource() = default;
    // Up to `size` bytes; 0 at the end, negative on a read error.
    virtual int Read(uint8_t* buffer, int size) = 0;
    // origin 0 from the start, 1 from the current place, 2 from the end; the new place
    // or negative when it cannot move there.
    virtual int64_t Seek(int64_t offset, int origin) = 0;
    // Negative when unknown.
    virtual int64_t GetSize() const = 0;
};

// One decoded picture: `width` × `height` pixels 0xAARRGGBB (opaque), row after row.
struct SMoviePicture {
    int64_t timeMs = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;
};

class CMovieDecoder {
public:
    enum EStreams : uint32_t { STREAM_VIDEO = 1, STREAM_AUDIO = 2 };
    static constexpr uint32_t kAudioRate = 44100;
    static constexpr uint32_t kAudioChannels = 2;
    // Larger pictures are refused before anything is allocated for them.
    static constexpr int kMaxDimension = 4096;

    CMovieDecoder();
    ~CMovieDecoder();
    CMovieDecoder(const CMovieDecoder&) = delete;
    CMovieDecoder& operator=(const CMovieDecoder&) = delete;

    // Reads the container's header and opens the decoders of the wanted streams
    // (EStreams bits).  False with the reason in `error` when the bytes are no
    // container it knows, or a wanted stream is missing or cannot be decoded.
    bool Open(std::unique_ptr<IMovieSource> source, uint32_t streams, std::string* error);
    void Close();
    bool IsOpen() const;
    bool HasVideo() const;
    bool HasAudio() const;
    // The container's length (its longest stream); 0 when unknown.
    int64_t GetDurationMs() const;
    int GetVideoWidth() const;
    int GetVideoHeight() const;

    // The size pictures are letterboxed into (800 × 600 unless set).
    void SetPictureSize(uint32_t width, uint32_t height);
    // The next picture; false at the end of the stream or once the data failed.
    bool ReadPicture(SMoviePicture* out);
    // Up to `frames` interleaved stereo frames; 0 at the end or once the data failed.
    uint32_t ReadAudio(int16_t* out, uint32_t frames);
    // Back to the start of every stream.
    bool Rewind();
    // True once reading or decoding met an error other than the end.
    bool HasFailed() const;

private:
    struct SImpl;
    std::unique_ptr<SImpl> m_Impl;
};
