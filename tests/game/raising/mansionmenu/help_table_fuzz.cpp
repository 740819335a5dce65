// The help table reader and the checked filler on arbitrary bytes: every line read is
// filled with too few, too many and mistyped arguments.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/Log.h"
#include "game/raising/mansionmenu/HelpTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetDebugOutputEnabled(false);
    CHelpTable table;
    table.LoadText(std::string(reinterpret_cast<const char*>(data), size));
    for (int32_t n = 0; n < table.GetCount(); ++n) {
        const std::string& line = table.GetLine(n);
        FillHelp(line, {});
        FillHelp(line, {7, "name", -3});
        FillHelp(line, {"a", "b"});
    }
    return 0;
}
