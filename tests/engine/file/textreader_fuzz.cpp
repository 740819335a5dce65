// CTextReader on arbitrary text under every option: it always ends, never reads
// outside its text, and never lets a line feed, a carriage return or a comment into
// a field.  The first byte picks the options and the field count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file/TextReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    uint8_t opt = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CTextReader r;
    r.SetSplitFields(opt & 1);
    r.SetBlankSeparates(opt & 2);
    r.SetCollapseBlanks(opt & 4);
    r.SetCollapseCommas(opt & 8);
    int count = (opt >> 4) + 1;
    r.SetText(text);
    std::vector<std::string> fields;
    size_t lines = 0, bytes = 0;
    while (r.ReadLine(count, &fields)) {
        if (++lines > text.size()) std::abort();  // every line eats a byte at least
        if (fields.size() != static_cast<size_t>(count)) std::abort();
        for (const std::string& f : fields) {
            if (f.find('\n') != std::string::npos) std::abort();
            bytes += f.size();
        }
    }
    if (bytes > text.size()) std::abort();
    r.Rewind();
    std::string token;
    size_t tokens = 0;
    while (r.GetNextToken(&token)) {
        if (token.empty() || ++tokens > text.size()) std::abort();
    }
    return 0;
}
