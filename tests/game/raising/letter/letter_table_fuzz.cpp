// The letter table reader on arbitrary text: it always ends, every letter has a voice
// entry, and every voice is empty or a path under voice\ without a line break.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/file/TextReader.h"
#include "game/raising/letter/LetterList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTextReader reader;
    reader.SetText(reinterpret_cast<const char*>(data), size);
    const std::vector<CLetterRecord> records = ParseLetterTable(reader);
    if (records.size() > size) std::abort();
    for (const CLetterRecord& r : records) {
        if (r.voices.empty() || r.voices.size() > size) std::abort();
        for (const std::string& v : r.voices) {
            if (v.empty()) continue;
            if (v.rfind("voice\\", 0) != 0 || v.find('\n') != std::string::npos) std::abort();
        }
        if (r.name.find('\n') != std::string::npos || r.picture.find('\n') != std::string::npos) std::abort();
    }
    return 0;
}
