// Path helpers on arbitrary bytes: never read past a string, whatever lead bytes
// end it, and keep their own invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/base/StringUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string a(reinterpret_cast<const char*>(data), size);
    size_t cut = size / 2;
    std::string name = a.substr(0, cut), folder = a.substr(cut);
    std::string norm = NormalizePath(a);
    if (norm.size() > a.size()) std::abort();
    if (NormalizePath(norm) != norm) std::abort();
    (void)MakeResourcePath(name, folder, "bmp");
    (void)MakeFilePath(folder, name, "txt");
    (void)StrCaseConvert(a);
    (void)StrToInt(a);
    (void)EndsWithBackslash(a);
    return 0;
}
