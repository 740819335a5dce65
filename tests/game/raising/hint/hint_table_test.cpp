// The hint table format and the stable sorts.
#include <gtest/gtest.h>

#include "engine/file/TextReader.h"
#include "game/raising/hint/HintTable.h"

namespace {

std::vector<SHintLine> Parse(const std::string& text) {
    CTextReader reader;
    reader.SetText(text);
    return ParseHintTable(reader);
}

std::string Describe(const SHintLine& l) {
    return std::to_string(l.ordinal) + " " + l.picturePath + " " + std::to_string(l.eventId) + " " +
           std::to_string(l.orderKey) + " [" + l.voicePath + "]";
}

}  // namespace

TEST(HintTableTest, LinesBecomeEntriesAndSkippedLinesUseNoOrdinal) {
    struct SCase {
        const char* text;
        std::vector<std::string> want;
    } cases[] = {
        {"a,1,2,v\n,9,9,skipped\nb,3,4,w\n", {"0 obj\\a.bmp 1 2 [hint_voice\\v.ogg]", "1 obj\\b.bmp 3 4 [hint_voice\\w.ogg]"}},
        {"alone\n", {"0 obj\\alone.bmp 0 0 []"}},
        {"// a comment\r\n\r\n  \nx,5 // the rest is a comment\n", {"0 obj\\x.bmp 5 0 []"}},
        {"p 7 8 v\np,7,8,v\np\t7  8 v\n", {"0 obj\\p.bmp 7 8 [hint_voice\\v.ogg]", "1 obj\\p.bmp 7 8 [hint_voice\\v.ogg]",
                                           "2 obj\\p.bmp 7 8 [hint_voice\\v.ogg]"}},
        {"q,,6,,extra\n", {"0 obj\\q.bmp 0 6 []"}},
        {"r,x12,12x,V\n", {"0 obj\\r.bmp 0 12 [hint_voice\\v.ogg]"}},
        {"Sub/Pic,-3,+4,dir/Voice\n", {"0 obj\\sub\\pic.bmp -3 4 [hint_voice\\dir\\voice.ogg]"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> got;
        for (const SHintLine& l : Parse(c.text)) got.push_back(Describe(l));
        EXPECT_EQ(got, c.want);
    }
}

TEST(HintTableTest, SortsAreStableAndOtherModesKeepTheOrder) {
    HintEntryList entries;
    const int32_t keys[] = {3, 1, 3, 0, 1};
    for (int32_t i = 4; i >= 0; --i) {  // built in reverse file order
        auto e = std::make_unique<HintEntry>();
        e->ordinal = i;
        e->orderKey = keys[i];
        entries.push_back(std::move(e));
    }
    auto ordinals = [&] {
        std::vector<int32_t> out;
        for (const auto& e : entries) out.push_back(e->ordinal);
        return out;
    };
    SortHintEntries(entries, 2);
    EXPECT_EQ(ordinals(), (std::vector<int32_t>{4, 3, 2, 1, 0}));
    SortHintEntries(entries, 0);
    EXPECT_EQ(ordinals(), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    SortHintEntries(entries, 1);
    EXPECT_EQ(ordinals(), (std::vector<int32_t>{3, 1, 4, 0, 2})) << "equal keys keep their file order";
}
