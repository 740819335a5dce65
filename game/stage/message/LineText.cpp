#include "game/stage/message/LineText.h"

#include "engine/base/StringUtil.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, 2, prefix) == 0; }

}  // namespace

std::string StripNameBrackets(const std::string& name) {
    static const std::string kOpen = "【";
    static const std::string kClose = "】";
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        if (IsSjisLeadByte(name[i]) && i + 1 < name.size()) {
            const std::string pair = name.substr(i, 2);
            if (pair != kOpen && pair != kClose) out += pair;
            i += 2;
        } else {
            out += name[i++];
        }
    }
    return out;
}

std::string WrapBalloonText(const std::string& text) {
    for (const char* opening : {"「", "【", "（", "『"}) {
        if (StartsWith(text, opening)) return text;
    }
    std::string out = "「";
    for (size_t i = 0; i < text.size();) {
        if (IsSjisLeadByte(text[i]) && i + 1 < text.size()) {
            out.append(text, i, 2);
            i += 2;
            continue;
        }
        out += text[i];
        if (text[i++] == '\n') out += "　";
    }
    out += "」";
    return out;
}
