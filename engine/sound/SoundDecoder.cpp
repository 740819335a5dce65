#include "engine/sound/SoundDecoder.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/sound/OggDecoder.h"
#include "engine/sound/WaveDecoder.h"

uint32_t ISoundDecoder::GetLengthMs() const {
    const SAudioFormat& f = GetFormat();
    if (f.rate == 0) return 0;
    // frames × 1000 would wrap for the lengths a crafted Ogg page can claim (a wrapped
    // length would pick the whole-buffer path): divide first, saturate.
    const uint64_t frames = GetTotalFrames();
    const uint64_t seconds = frames / f.rate;
    if (seconds > 0xFFFFFFFFull / 1000) return 0xFFFFFFFFu;
    const uint64_t ms = seconds * 1000 + (frames % f.rate) * 1000 / f.rate;
    return ms > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(ms);
}

std::unique_ptr<ISoundDecoder> CreateSoundDecoder(std::unique_ptr<IFileObject> file, const std::string& name) {
    if (!file || !file->IsOpen()) {
        DebugPrintf("CreateSoundDecoder() ファイルが開かれていません[%s]", name.c_str());
        return nullptr;
    }
    char magic[4] = {};
    file->Seek(0);
    size_t got = file->Read(magic, 1, 4);
    file->Seek(0);
    std::unique_ptr<ISoundDecoder> decoder;
    if (got == 4 && std::memcmp(magic, "RIFF", 4) == 0) {
        decoder = std::make_unique<CWaveDecoder>();
    } else if (got == 4 && std::memcmp(magic, "OggS", 4) == 0) {
        decoder = std::make_unique<COggDecoder>();
    } else {
        DebugPrintf("CreateSoundDecoder() 対応していないサウンド形式です[%s]", name.c_str());
        return nullptr;
    }
    if (!decoder->Open(std::move(file), name)) return nullptr;
    return decoder;
}
