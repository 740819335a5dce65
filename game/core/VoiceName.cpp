#include "game/core/VoiceName.h"

#include "engine/base/StringUtil.h"

int ClassifyVoiceName(const std::string& fileName) {
    static const char* const kPrefixes[] = {"lu", "me", "cu", "pa", "ma", "pk", "sa", "py",
                                            "ta", "ro", "fa", "wa", "mu", "na", "ig"};
    std::string name = StrCaseConvert(PathToBackslash(fileName));
    // The folder "voice\" as a whole path part (also under "se\voice\"): the last one,
    // searched character by character so a double-byte character is never split.
    size_t found = std::string::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 6, "voice\\") == 0 && (i == 0 || name[i - 1] == '\\')) {
            found = i + 6;
        }
        if (IsSjisLeadByte(name[i]) && i + 1 < name.size()) ++i;
    }
    if (found == std::string::npos || found + 2 > name.size()) {
        return 15;
    }
    for (int k = 0; k < 15; ++k) {
        if (name.compare(found, 2, kPrefixes[k]) == 0) return k;
    }
    return 15;
}
