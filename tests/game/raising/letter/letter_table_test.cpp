// The letter table: fields, voice splitting, lookup and the viewer's reader.
#include <gtest/gtest.h>

#include "engine/file/TextReader.h"
#include "game/raising/letter/LetterList.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Describe(const std::string& name, const std::string& picture, const std::vector<std::string>& voices) {
    std::string out = name + "|" + picture + "|";
    for (size_t i = 0; i < voices.size(); ++i) out += (i ? ";" : "") + voices[i];
    return out;
}

std::vector<std::string> Parse(const std::string& text) {
    CTextReader reader;
    reader.SetText(text);
    std::vector<std::string> out;
    for (const CLetterRecord& r : ParseLetterTable(reader)) out.push_back(Describe(r.name, r.picture, r.voices));
    return out;
}

class LetterFileTest : public ::testing::Test {
protected:
    void Write(const std::string& text) {
        const std::string path = m_Dir.Path() + "cfg/letter.csv";
        ASSERT_TRUE(testsupport::MakeParentDirs(path));
        ASSERT_TRUE(testsupport::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end())));
    }
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};
};

}  // namespace

TEST(LetterTableTest, FieldsAndVoices) {
    struct SCase {
        const char* text;
        std::vector<std::string> want;
    } cases[] = {
        {"scr\\a\\l1.txt,obj\\letter\\l1.bmp,lu1_001\n", {"scr\\a\\l1.txt|obj\\letter\\l1.bmp|voice\\lu1_001.ogg"}},
        {"n,p,p/q\n", {"n|p|voice\\p.ogg;voice\\q.ogg"}},
        {"n,p,\n", {"n|p|"}},
        {"n,p,p/\n", {"n|p|voice\\p.ogg;"}},
        {"n,p,/\n", {"n|p|;"}},
        {"n,p,LU1_ABC/Voice\\Q/r.wav\n", {"n|p|voice\\lu1_abc.ogg;voice\\q.ogg;voice\\r.wav"}},
        // A 0x5C or 0x2F after a lead byte belongs to its character.
        {"n,p,a\x83\x5C/b\x83/c\n", {"n|p|voice\\a\x83\x5C.ogg;voice\\b\x83/c.ogg"}},
        // Names and pictures are kept as written; blanks separate fields as commas do.
        {"Scr\\X.TXT Obj\\L.bmp v\n", {"Scr\\X.TXT|Obj\\L.bmp|voice\\v.ogg"}},
        {"alone\n", {"alone||"}},
        {"// comment\r\n\r\nn,p,v,extra // note\n", {"n|p|voice\\v.ogg"}},
        {"a,p1,v1\na,p2,v2\n", {"a|p1|voice\\v1.ogg", "a|p2|voice\\v2.ogg"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text), c.want);
    }
}

TEST_F(LetterFileTest, ListLoadsFindsTheFirstAndEmptiesOnAMissingFile) {
    Write("scr\\l\\a.txt,obj\\letter\\a1.bmp,p/q\nscr\\l\\a.txt,obj\\letter\\a2.bmp,r\nscr\\l\\b.txt,obj\\letter\\b.bmp,s\n");
    CLetterList list;
    ASSERT_TRUE(list.Load("cfg\\letter.csv"));
    ASSERT_EQ(list.GetRecords().size(), 3u);
    const CLetterRecord* a = list.Find("scr\\l\\a.txt");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->picture, "obj\\letter\\a1.bmp");
    EXPECT_EQ(a->voices, (std::vector<std::string>{"voice\\p.ogg", "voice\\q.ogg"}));
    EXPECT_EQ(list.Find("SCR\\L\\A.TXT"), nullptr);
    EXPECT_EQ(list.Find("scr\\l\\a.txt "), nullptr);
    EXPECT_EQ(list.Find(""), nullptr);

    EXPECT_FALSE(list.Load("cfg\\none.csv"));
    EXPECT_TRUE(list.GetRecords().empty());
    Write("");
    EXPECT_TRUE(list.Load("cfg\\letter.csv"));
    EXPECT_TRUE(list.GetRecords().empty());
}

TEST_F(LetterFileTest, ViewerSplitsVoicesAndAppends) {
    Write("scr\\l\\a.txt,obj\\letter\\a.bmp,p/q\nscr\\l\\b.txt,obj\\letter\\b.bmp,\n");
    std::vector<CLetterEntry> entries(1);
    ASSERT_TRUE(LoadLetterTable("cfg\\letter.csv", &entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(Describe(entries[1].script, entries[1].picture, entries[1].voices),
              "scr\\l\\a.txt|obj\\letter\\a.bmp|voice\\p.ogg;voice\\q.ogg");
    EXPECT_EQ(Describe(entries[2].script, entries[2].picture, entries[2].voices), "scr\\l\\b.txt|obj\\letter\\b.bmp|");
    EXPECT_FALSE(LoadLetterTable("cfg\\none.csv", &entries));
    EXPECT_EQ(entries.size(), 3u);
}
