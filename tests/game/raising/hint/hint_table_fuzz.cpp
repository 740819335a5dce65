// The hint table reader on arbitrary text: it always ends, numbers its lines densely
// from 0, never keeps a line without a picture and builds every path in its folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/file/TextReader.h"
#include "game/raising/hint/HintTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTextReader reader;
    reader.SetText(reinterpret_cast<const char*>(data), size);
    const std::vector<SHintLine> lines = ParseHintTable(reader);
    if (lines.size() > size) std::abort();
    for (size_t i = 0; i < lines.size(); ++i) {
        const SHintLine& line = lines[i];
        if (line.ordinal != static_cast<int32_t>(i)) std::abort();
        if (line.picturePath.rfind("obj\\", 0) != 0 || line.picturePath.size() <= 4) std::abort();
        if (!line.voicePath.empty() && line.voicePath.rfind("hint_voice\\", 0) != 0) std::abort();
        if (line.picturePath.find('\n') != std::string::npos) std::abort();
    }
    return 0;
}
