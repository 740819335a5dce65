// Feeds arbitrary bytes to the sound decoders (WAVE parser, Vorbis loading through
// the file callbacks) from memory and decodes a bounded number of frames.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/sound/SoundDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = [] {
        SetDebugOutputEnabled(false);
        return true;
    }();
    (void)quiet;
    auto decoder = CreateSoundDecoder(std::make_unique<CMemoryFileObject>(data, size), "fuzz");
    if (!decoder) return 0;
    std::vector<uint8_t> buf(4096 * decoder->GetFormat().BlockAlign());
    uint64_t total = 0;
    // Bounded: a header may claim hours of sound.
    for (int i = 0; i < 64; ++i) {
        uint32_t n = decoder->Read(buf.data(), 4096);
        if (n == 0) break;
        total += n;
    }
    if (total > 0) {
        decoder->SeekFrame(total / 2);
        decoder->Read(buf.data(), 16);
    }
    return 0;
}
