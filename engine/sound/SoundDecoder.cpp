#include "engine/sound/SoundDecoder.h"

#include <cstring>

#include "engine/base/Log.h"
#include "engine/sound/OggDecoder.h"
#include "engine/sound/WaveDecoder.h"

uint32_t ISoundDecoder::GetLengthMs() const {
    const SAudioFormat& f = GetFormat();
    if (f.rate == 0) return 0;
    uint64_t ms = GetTotalFrames() * 1000 / f.rate;
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
