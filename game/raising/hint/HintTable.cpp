#include "game/raising/hint/HintTable.h"

#include <algorithm>

#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"

namespace {
constexpr const char* kFiles[kHintTabCount] = {"cfg\\hint1.txt", "cfg\\hint2.txt", "cfg\\hint3.txt",
                                               "cfg\\hint4.txt", "cfg\\hint5.txt", "cfg\\hint6.txt"};
}  // namespace

const char* HintTableFile(int tab) { return tab >= 0 && tab < kHintTabCount ? kFiles[tab] : nullptr; }

std::vector<SHintLine> ParseHintTable(CTextReader& reader) {
    std::vector<SHintLine> lines;
    std::string fields[4];
    while (reader.ReadLine(4, fields)) {
        if (fields[0].empty()) {
            continue;
        }
        SHintLine line;
        line.ordinal = static_cast<int32_t>(lines.size());
        line.picturePath = MakeResourcePath(fields[0], "obj", "bmp");
        line.eventId = StrToInt(fields[1]);
        line.orderKey = StrToInt(fields[2]);
        line.voicePath = MakeResourcePath(fields[3], "hint_voice", "ogg");
        lines.push_back(std::move(line));
    }
    return lines;
}

void SortHintEntries(HintEntryList& entries, int32_t mode) {
    if (mode == 0) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return a->ordinal < b->ordinal; });
    } else if (mode == 1) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return a->orderKey < b->orderKey; });
    }
}

bool AreHintVoicesInstalled() {
    if (CFile::Exists(kHintVoiceProbe)) return true;
    // Without the voices archive (hint_voice.pak or its folder).
    ReportUnreadableFile("AreHintVoicesInstalled()", kHintVoiceProbe);
    return false;
}
