// The converter that spells a clang build's literals in Shift-JIS.  Every input here is
// written with \x escapes: the file itself goes through gcc's charset conversion and,
// under clang, through the converter, and must reach the converter unchanged.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct SRun {
    int status = -1;
    std::string output;
    std::string errors;
};

class CConverterRun {
public:
    // Converts `files` (relative path, text) from a fresh source folder.
    SRun Run(const std::vector<std::pair<std::string, std::string>>& files) {
        std::string list;
        for (const auto& [rel, text] : files) {
            Write(m_Dir.Path() + "src/" + rel, text);
            list += rel + "\n";
        }
        Write(m_Dir.Path() + "files.txt", list);
        const std::string command = std::string("\"") + PG_EXEC_CHARSET + "\" \"" + m_Dir.Path() + "src\" \"" +
                                    m_Dir.Path() + "out\" \"" + m_Dir.Path() + "files.txt\" \"" + m_Dir.Path() +
                                    "stamp\" 2> \"" + m_Dir.Path() + "errors.txt\"";
        SRun run;
        run.status = std::system(command.c_str());
        run.output = Read("out/" + files.front().first);
        run.errors = Read("errors.txt");
        return run;
    }

    std::string Read(const std::string& rel) const {
        std::vector<uint8_t> bytes;
        if (!testsupport::ReadFileBytes(m_Dir.Path() + rel, &bytes))
            return "<missing>";
        return std::string(bytes.begin(), bytes.end());
    }

    const std::string& Path() const { return m_Dir.Path(); }

private:
    static void Write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(testsupport::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end())));
    }

    testsupport::CTempDir m_Dir;
};

// UTF-8 of the characters used below.
#define UTF8_HYO "\xE8\xA1\xA8"     // 0x95 0x5C: a trail byte that is a backslash
#define UTF8_SO "\xE3\x82\xBD"      // 0x83 0x5C
#define UTF8_A "\xE3\x81\x82"       // 0x82 0xA0
#define UTF8_HALF_A "\xEF\xBD\xB1"  // half-width katakana: one byte, 0xB1

struct SCase {
    const char* name;
    std::string in;
    std::string out;
};

TEST(ExecCharset, SpellsNarrowLiteralsInShiftJisAndLeavesTheRestAlone) {
    const SCase cases[] = {
        {"trail backslash", "f(\"" UTF8_HYO "\");\n", R"(f("\225\134");)" "\n"},
        {"digit after the text", "\"" UTF8_SO "1\"", R"("\203\1341")"},
        {"half-width", "\"" UTF8_HALF_A "x\"", R"("\261x")"},
        {"char literal", "'" UTF8_A "'", R"('\202\240')"},
        {"escapes kept", R"("\"\\)" UTF8_A R"(\x4")", R"("\"\\\202\240\x4")"},
        {"ascii untouched", "int a = 1;\nconst char* s = \"a\\\\b\";\n", "int a = 1;\nconst char* s = \"a\\\\b\";\n"},
        {"line comment", "// \"" UTF8_A "\" '\n\"" UTF8_A "\"", "// \"" UTF8_A "\" '\n" R"("\202\240")"},
        {"block comment", "/* \"" UTF8_A "\n '" UTF8_A "' */ \"" UTF8_A "\"", "/* \"" UTF8_A "\n '" UTF8_A "' */ " R"("\202\240")"},
        {"comment carried by a backslash", "// x \\\n\"" UTF8_A "\"\n\"" UTF8_A "\"", "// x \\\n\"" UTF8_A "\"\n" R"("\202\240")"},
        {"digit separator", "int n = 1'000; \"" UTF8_A "\" '" UTF8_A "'", R"(int n = 1'000; "\202\240" '\202\240')"},
        {"prefixed literals keep their charset", "u8\"" UTF8_A "\" L\"" UTF8_A "\" u'" UTF8_A "' U\"" UTF8_A "\"",
         "u8\"" UTF8_A "\" L\"" UTF8_A "\" u'" UTF8_A "' U\"" UTF8_A "\""},
        {"raw ascii string then text", "R\"x(a\" )\" b)x\" \"" UTF8_A "\"", R"--(R"x(a" )" b)x" "\202\240")--"},
        {"prefixed raw string", "u8R\"(" UTF8_A ")\"", "u8R\"(" UTF8_A ")\""},
        {"identifier ending in a prefix letter", "XL\"" UTF8_A "\"", R"(XL"\202\240")"},
        {"unterminated literal stops at the line's end", "\"" UTF8_A "\n\"" UTF8_A "\"", "\"\\202\\240\n\"\\202\\240\""},
    };
    for (const SCase& c : cases) {
        CConverterRun conv;
        const SRun run = conv.Run({{"a.cpp", c.in}});
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.errors;
        EXPECT_EQ(run.output, c.out) << c.name;
    }
}

TEST(ExecCharset, RefusesWhatCannotBeSpelledAndNamesTheFileAndLine) {
    const SCase cases[] = {
        {"narrow raw string", "int a;\nauto s = R\"(" UTF8_A ")\";\n", "a.cpp: line 2: non-ASCII text in a raw string"},
        {"broken UTF-8", "\n\n\"\xFF\"", "a.cpp: line 3: "},
        {"raw string never closed", "R\"x(abc)\"", "a.cpp: line 1: unterminated raw string"},
    };
    for (const SCase& c : cases) {
        CConverterRun conv;
        const SRun run = conv.Run({{"a.cpp", c.in}});
        EXPECT_NE(run.status, 0) << c.name;
        EXPECT_NE(run.errors.find(c.out), std::string::npos) << c.name << ": " << run.errors;
        EXPECT_FALSE(testsupport::FileExists(conv.Path() + "stamp")) << c.name;
    }
}

// A rewritten copy would make every file that includes it compile again.
TEST(ExecCharset, KeepsAnUnchangedCopyAndConvertsEveryListedFile) {
    CConverterRun conv;
    ASSERT_EQ(conv.Run({{"x/a.h", "\"" UTF8_A "\""}, {"b.cpp", "#include \"x/a.h\"\n"}}).status, 0);
    EXPECT_EQ(conv.Read("out/b.cpp"), "#include \"x/a.h\"\n");
    const fs::path copy = conv.Path() + "out/x/a.h";
    const auto before = fs::last_write_time(copy);
    fs::last_write_time(copy, before - std::chrono::hours(1));
    const auto aged = fs::last_write_time(copy);
    ASSERT_EQ(conv.Run({{"x/a.h", "\"" UTF8_A "\""}, {"b.cpp", "#include \"x/a.h\"\n"}}).status, 0);
    EXPECT_EQ(fs::last_write_time(copy), aged);
    ASSERT_EQ(conv.Run({{"x/a.h", "\"" UTF8_A UTF8_A "\""}, {"b.cpp", "int b;\n"}}).status, 0);
    EXPECT_NE(fs::last_write_time(copy), aged);
    EXPECT_EQ(conv.Read("out/x/a.h"), R"("\202\240\202\240")");
    EXPECT_EQ(conv.Read("out/b.cpp"), "int b;\n");
}

}  // namespace
