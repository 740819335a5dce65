#pragma once
// The line and field reader of every text table (Shift-JIS text).
//
// ReadLine takes the next non-empty line: carriage returns are dropped, a line feed
// ends the line, "//" starts a comment that runs to the end of the line, and a
// Shift-JIS double-byte character is never split (its second byte is never taken
// for a separator, a backslash or a slash).  A line is empty when nothing is left
// of it, or only blanks when blanks separate fields.  The line is then split into
// fields by the options:
//   - split fields (default on): a comma ends a field;
//   - blank separates (default on): a blank (space or tab) ends a field;
//   - collapse blanks (default on): a run of blanks is one separator, and blanks at
//     either end of the line or beside a comma are no separator of their own;
//   - collapse commas (default off): a run of commas is one separator (off: two
//     commas in a row give an empty field).
// Fields beyond the count asked for are dropped.
#include <cstddef>
#include <string>
#include <vector>

class CTextReader {
public:
    CTextReader() = default;

    // Reads a whole file through CFile (folder or archive).  False when it cannot be
    // read, which leaves the reader empty; a missing file is not logged.
    bool Load(const std::string& path);
    // Reads from a copy of the given text with a line end appended, from its start;
    // always true.
    bool SetText(const std::string& text);
    bool SetText(const char* text, size_t size);
    // Empties the reader.
    void Clear();
    // Reads again from the start of the text.
    void Rewind() { m_Pos = 0; }
    // True when no line or token is left.
    bool IsEnd() const;

    void SetSplitFields(bool on) { m_SplitFields = on; }
    void SetBlankSeparates(bool on) { m_BlankSeparates = on; }
    void SetCollapseBlanks(bool on) { m_CollapseBlanks = on; }
    void SetCollapseCommas(bool on) { m_CollapseCommas = on; }
    bool GetSplitFields() const { return m_SplitFields; }
    bool GetBlankSeparates() const { return m_BlankSeparates; }
    bool GetCollapseBlanks() const { return m_CollapseBlanks; }
    bool GetCollapseCommas() const { return m_CollapseCommas; }

    // Empties fields[0..count-1], then fills them from the next non-empty line; false
    // (fields empty) when no line is left.
    bool ReadLine(int count, std::string* fields);
    // The same into a vector resized to `count`.
    bool ReadLine(int count, std::vector<std::string>* fields);

    // The next token separated by blanks, carriage returns or line feeds ("//"
    // comments skipped); false (token emptied) at the end of the text.
    bool GetNextToken(std::string* token);

    const std::string& GetText() const { return m_Text; }

private:
    // The next line without its CR bytes and comment; false at the end.
    bool _NextRawLine(std::string* line);
    bool _IsLineEmpty(const std::string& line) const;
    void _SplitLine(const std::string& line, int count, std::string* fields) const;
    // Length of the character at pos: 2 for a lead byte followed by a trail byte.
    size_t _CharLength(const std::string& s, size_t pos) const;

    std::string m_Text;
    size_t m_Pos = 0;
    bool m_SplitFields = true;
    bool m_BlankSeparates = true;
    bool m_CollapseBlanks = true;
    bool m_CollapseCommas = false;
};
