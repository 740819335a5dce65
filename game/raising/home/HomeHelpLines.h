#pragma once
// The help lines of the home menu: one line of "cfg\rat_tutorial.txt" each, shared by
// every home menu, read on first use and kept.  A backslash in a line (never the
// second byte of a double-byte character) is a line break.
#include <array>
#include <string>

class CTextReader;

class CHomeHelpLines {
public:
    static constexpr int kCount = 100;
    static constexpr const char* kFile = "cfg\\rat_tutorial.txt";

    // The table every home menu reads.
    static CHomeHelpLines& Shared();

    // Reads the file when it has not been read yet.
    void EnsureLoaded();
    // Reads the file again; a missing file leaves every line empty.
    void Load();
    // Forgets the table: the next use reads the file again (another game folder).
    void Forget();
    bool IsLoaded() const { return m_Loaded; }
    // Line n, empty outside 0..99.
    const std::string& Get(int n) const;

    // Fills `lines` from the reader in file order; lines past the table are not taken.
    // Returns how many lines the text held.
    static int Parse(CTextReader& reader, std::array<std::string, kCount>* lines);
    // Every backslash that is not the second byte of a double-byte character becomes
    // a line break.
    static std::string BreakLines(const std::string& line);

private:
    std::array<std::string, kCount> m_Lines;
    bool m_Loaded = false;
};
