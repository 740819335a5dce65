// The help-line reader on arbitrary text: it always ends, never fills more than the
// table and leaves no backslash outside a double-byte character.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"
#include "game/raising/home/HomeHelpLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTextReader reader;
    reader.SetText(reinterpret_cast<const char*>(data), size);
    std::array<std::string, CHomeHelpLines::kCount> lines;
    const int read = CHomeHelpLines::Parse(reader, &lines);
    if (read < 0 || static_cast<size_t>(read) > size + 1) std::abort();
    for (const std::string& line : lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (IsSjisLeadByte(line[i]) && i + 1 < line.size()) {
                ++i;
            } else if (line[i] == '\\') {
                std::abort();
            }
        }
    }
    return 0;
}
