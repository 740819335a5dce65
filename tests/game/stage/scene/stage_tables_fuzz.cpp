// The stage's two small tables on arbitrary text: reading never fails, the voice table
// gives at most one name a line and the house lists keep only non-empty pictures.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/base/Log.h"
#include "engine/file/TextReader.h"
#include "game/stage/scene/StageTables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetDebugOutputEnabled(false);
    const std::string text(reinterpret_cast<const char*>(data), size);
    CTextReader voices;
    voices.SetText(text);
    if (ReadRedirectedVoices(voices).size() > size) std::abort();
    CTextReader house;
    house.SetText(text);
    const SHouseLists lists = ReadHouseLists(house);
    for (const auto* list : {&lists.layout1, &lists.layout2}) {
        for (const std::string& picture : *list) {
            if (picture.empty()) std::abort();
        }
    }
    return 0;
}
