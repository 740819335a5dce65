#pragma once
// Decoders of the sound files: RIFF WAVE (PCM, 8 or 16 bits, mono or stereo) and
// Ogg Vorbis (to 16-bit PCM).  A decoder reads its file through the one file
// interface and hands out whole frames in the buffer format of the sound device.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/file/File.h"
#include "platform/audio/AudioDevice.h"

class ISoundDecoder {
public:
    virtual ~ISoundDecoder() = default;
    // Takes the open file; false (with a log line naming `name`) when the file is
    // not one this decoder plays, is truncated or corrupt.
    virtual bool Open(std::unique_ptr<IFileObject> file, const std::string& name) = 0;
    virtual const SAudioFormat& GetFormat() const = 0;
    virtual uint64_t GetTotalFrames() const = 0;
    // Decodes up to `frames` frames into `out` (frames × block size bytes); the
    // number decoded, 0 at the end or after a failure.
    virtual uint32_t Read(void* out, uint32_t frames) = 0;
    // Moves to a frame (held to the end).
    virtual bool SeekFrame(uint64_t frame) = 0;
    // True once the data was found corrupt while decoding.
    virtual bool HasFailed() const = 0;

    uint32_t GetLengthMs() const;
};

// Opens the right decoder for the file's first bytes ("RIFF" or "OggS"); null with a
// log line when neither fits or the decoder refuses the file.
std::unique_ptr<ISoundDecoder> CreateSoundDecoder(std::unique_ptr<IFileObject> file, const std::string& name);
