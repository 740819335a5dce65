// Writes a copy of each listed source in which every narrow string and character
// literal holding non-ASCII text spells it as Shift-JIS (CP932) octal escapes.
//
// gcc turns the UTF-8 literals of our sources into Shift-JIS itself
// (-fexec-charset=CP932); clang knows no execution charset but UTF-8, so a clang build
// compiles these copies instead, laid over the originals by a VFS overlay
// (cmake/ExecCharset.cmake).  Lines stay where they were, so diagnostics and __LINE__
// keep pointing at the original.  Comments, prefixed literals (u8, u, U, L) and raw
// strings are copied as they are; a raw narrow string with non-ASCII text is refused,
// as it cannot hold an escape.
//
//   pg_exec_charset <source root> <output folder> <list of relative paths> <stamp>
//
// A copy is rewritten only when its text changes.  Exit status 1 names the first
// file that cannot be converted.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class CConverter {
public:
    CConverter() : m_Cd(iconv_open("CP932//TRANSLIT", "UTF-8")) {}
    ~CConverter() {
        if (m_Cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_Cd);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool IsOpen() const { return m_Cd != reinterpret_cast<iconv_t>(-1); }

    // Converts `text` (UTF-8 source) into `out`; false with `error` set on a literal
    // that has no Shift-JIS spelling or on an unterminated raw string.
    bool Convert(const std::string& text, std::string& out, std::string& error) {
        m_In = &text;
        m_Out = &out;
        m_Error = &error;
        m_Pos = 0;
        m_Line = 1;
        out.clear();
        out.reserve(text.size() + text.size() / 8);
        while (m_Pos < text.size()) {
            if (!_Step())
                return false;
        }
        return true;
    }

private:
    char _At(size_t i) const { return i < m_In->size() ? (*m_In)[i] : '\0'; }

    void _Copy(size_t n) {
        for (size_t i = 0; i < n && m_Pos < m_In->size(); ++i, ++m_Pos) {
            if ((*m_In)[m_Pos] == '\n')
                ++m_Line;
            m_Out->push_back((*m_In)[m_Pos]);
        }
    }

    bool _Fail(const std::string& what) {
        *m_Error = "line " + std::to_string(m_Line) + ": " + what;
        return false;
    }

    static bool _IsIdent(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    static bool _IsDigit(char c) { return c >= '0' && c <= '9'; }

    bool _Step() {
        const char c = _At(m_Pos);
        if (c == '/' && _At(m_Pos + 1) == '/') {
            _LineComment();
            return true;
        }
        if (c == '/' && _At(m_Pos + 1) == '*') {
            const size_t end = m_In->find("*/", m_Pos + 2);
            _Copy(end == std::string::npos ? m_In->size() - m_Pos : end + 2 - m_Pos);
            return true;
        }
        if (_IsDigit(c) || (c == '.' && _IsDigit(_At(m_Pos + 1)))) {
            _Number();
            return true;
        }
        if (_IsIdent(c))
            return _Identifier();
        if (c == '"' || c == '\'')
            return _Literal(c, true);
        _Copy(1);
        return true;
    }

    // A backslash before the line feed carries the comment onto the next line.
    void _LineComment() {
        while (m_Pos < m_In->size()) {
            const size_t eol = m_In->find('\n', m_Pos);
            if (eol == std::string::npos) {
                _Copy(m_In->size() - m_Pos);
                return;
            }
            size_t last = eol;
            while (last > m_Pos && (*m_In)[last - 1] == '\r')
                --last;
            const bool spliced = last > m_Pos && (*m_In)[last - 1] == '\\';
            _Copy(eol + 1 - m_Pos);
            if (!spliced)
                return;
        }
    }

    // A pp-number, so that the digit separator in 1'000 opens no character literal.
    void _Number() {
        size_t i = m_Pos + 1;
        for (;;) {
            const char d = _At(i);
            if ((d == 'e' || d == 'E' || d == 'p' || d == 'P') && (_At(i + 1) == '+' || _At(i + 1) == '-'))
                i += 2;
            else if (d == '\'' && _IsIdent(_At(i + 1)))
                i += 2;
            else if (_IsIdent(d) || d == '.')
                ++i;
            else
                break;
        }
        _Copy(i - m_Pos);
    }

    bool _Identifier() {
        size_t i = m_Pos;
        while (_IsIdent(_At(i)))
            ++i;
        const std::string word = m_In->substr(m_Pos, i - m_Pos);
        const char next = _At(i);
        const bool prefix = word == "u8" || word == "u" || word == "U" || word == "L";
        const bool raw = word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR";
        if (raw && next == '"') {
            _Copy(i - m_Pos);
            return _Raw(word == "R");
        }
        _Copy(i - m_Pos);
        if (prefix && (next == '"' || next == '\''))
            return _Literal(next, false);
        return true;
    }

    bool _Raw(bool narrow) {
        const size_t open = m_In->find('(', m_Pos);
        if (open == std::string::npos)
            return _Fail("raw string without its opening parenthesis");
        std::string close(1, ')');
        close.append(*m_In, m_Pos + 1, open - m_Pos - 1);
        close.push_back('"');
        const size_t end = m_In->find(close, open);
        if (end == std::string::npos)
            return _Fail("unterminated raw string");
        const size_t stop = end + close.size();
        if (narrow) {
            for (size_t i = m_Pos; i < stop; ++i) {
                if (static_cast<unsigned char>((*m_In)[i]) >= 0x80)
                    return _Fail("non-ASCII text in a raw string cannot be spelled in Shift-JIS");
            }
        }
        _Copy(stop - m_Pos);
        return true;
    }

    // A literal up to its closing quote (or the line's end).  A narrow one has its
    // non-ASCII text spelled in Shift-JIS; a prefixed one has its own charset and is
    // copied as it is.
    bool _Literal(char quote, bool narrow) {
        _Copy(1);
        while (m_Pos < m_In->size()) {
            const char c = (*m_In)[m_Pos];
            if (c == '\\') {
                _Copy(2);
            } else if (c == quote || c == '\n') {
                _Copy(1);
                return true;
            } else if (narrow && static_cast<unsigned char>(c) >= 0x80) {
                size_t end = m_Pos;
                while (end < m_In->size() && static_cast<unsigned char>((*m_In)[end]) >= 0x80)
                    ++end;
                if (!_Escape(m_In->substr(m_Pos, end - m_Pos)))
                    return false;
                m_Pos = end;
            } else {
                _Copy(1);
            }
        }
        return true;
    }

    // Three octal digits always, so that a digit after the escape stays a character.
    bool _Escape(const std::string& utf8) {
        std::string sjis(utf8.size() * 2 + 8, '\0');
        char* in = const_cast<char*>(utf8.data());
        size_t inLeft = utf8.size();
        char* out = sjis.data();
        size_t outLeft = sjis.size();
        iconv(m_Cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_Cd, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) ||
            iconv(m_Cd, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1))
            return _Fail("\"" + utf8 + "\" has no Shift-JIS spelling");
        sjis.resize(sjis.size() - outLeft);
        for (unsigned char b : sjis) {
            const char esc[] = {'\\', static_cast<char>('0' + (b >> 6)), static_cast<char>('0' + ((b >> 3) & 7)),
                                static_cast<char>('0' + (b & 7))};
            m_Out->append(esc, sizeof esc);
        }
        return true;
    }

    iconv_t m_Cd;
    const std::string* m_In = nullptr;
    std::string* m_Out = nullptr;
    std::string* m_Error = nullptr;
    size_t m_Pos = 0;
    int m_Line = 1;
};

bool ReadFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteIfChanged(const fs::path& path, const std::string& text) {
    std::string old;
    if (ReadFile(path, old) && old == text)
        return true;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <source root> <output folder> <list> <stamp>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path outRoot = argv[2];
    CConverter converter;
    if (!converter.IsOpen()) {
        std::fprintf(stderr, "pg_exec_charset: iconv cannot convert UTF-8 to CP932\n");
        return 1;
    }
    std::string listText;
    if (!ReadFile(argv[3], listText)) {
        std::fprintf(stderr, "pg_exec_charset: cannot read %s\n", argv[3]);
        return 1;
    }
    std::istringstream list(listText);
    std::string rel, text, out, error;
    while (std::getline(list, rel)) {
        if (rel.empty())
            continue;
        if (!ReadFile(root / rel, text)) {
            std::fprintf(stderr, "pg_exec_charset: cannot read %s\n", (root / rel).c_str());
            return 1;
        }
        if (!converter.Convert(text, out, error)) {
            std::fprintf(stderr, "%s: %s\n", (root / rel).c_str(), error.c_str());
            return 1;
        }
        if (!WriteIfChanged(outRoot / rel, out)) {
            std::fprintf(stderr, "pg_exec_charset: cannot write %s\n", (outRoot / rel).c_str());
            return 1;
        }
    }
    std::ofstream stamp(argv[4], std::ios::trunc);
    return stamp ? 0 : 1;
}
