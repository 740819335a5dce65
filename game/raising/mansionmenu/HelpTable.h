#pragma once
// The help texts of the action menus: one text per line of a table file, at most 100.
// A backslash outside a Shift-JIS pair is a line break; "*d" and "*c" are placeholders
// for a number and a text.  Lines are filled by FillHelp, a checked filler: only the
// placeholders are replaced, in order, each from its own typed argument, and every
// other byte ("%" included) is printed as it stands, so no data line can make the
// filler read an argument it was not given.  docs/help-files.md describes the file.
#include <cstdint>
#include <string>
#include <vector>

// One argument of a help line: a number for "*d", a text for "*c".
struct SHelpArg {
    bool text = false;
    int32_t number = 0;
    std::string str;

    SHelpArg(int32_t n) : number(n) {}  // NOLINT: the lines read as printf calls
    SHelpArg(const char* s) : text(true), str(s) {}  // NOLINT
    SHelpArg(std::string s) : text(true), str(std::move(s)) {}  // NOLINT
};

// A line of the file with its backslashes made line breaks (Shift-JIS pairs untouched).
std::string ConvertHelpLine(const std::string& line);

// The line with its placeholders filled from `args` in order.  A placeholder without an
// argument, or whose argument has the other type, is left out (logged); arguments left
// over are ignored.
std::string FillHelp(const std::string& line, const std::vector<SHelpArg>& args);

class CHelpTable {
public:
    static constexpr int kLineCount = 100;

    // Reads a table file (every line converted); a missing file leaves the table empty.
    // Lines past the hundredth are not read.
    bool Load(const std::string& path);
    // The same from a text (tests, fuzzing).
    void LoadText(const std::string& text);
    // Line n; empty for an index without a line.
    const std::string& GetLine(int32_t n) const;
    int32_t GetCount() const { return static_cast<int32_t>(m_Lines.size()); }

private:
    void _Read(class CTextReader& reader);

    std::vector<std::string> m_Lines;
};

// The tables of the mansion menu and of the shop, read on first use and kept until
// exit.  Dropping them makes the next use read the files again (tests change the game
// folder between games).
const CHelpTable& MansionMenuHelp();
const CHelpTable& ShopHelp();
void DropMansionHelpTables();
