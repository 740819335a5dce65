#include "engine/file/TextReader.h"

#include <cstdint>

#include "engine/base/StringUtil.h"
#include "engine/file/File.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Trail bytes of Shift-JIS: 0x40..0x7E and 0x80..0xFC.  A lead byte followed by
// anything else (a line feed at the end of a damaged line) stands alone, so that it
// never swallows the line end.
bool IsTrailByte(char c) {
    uint8_t u = static_cast<uint8_t>(c);
    return u >= 0x40 && u <= 0xFC && u != 0x7F;
}

}  // namespace

bool CTextReader::Load(const std::string& path) {
    Clear();
    std::vector<uint8_t> bytes;
    // A missing table is an ordinary case for the callers (they go on with an empty
    // table and say nothing); damage to an archive is still reported.
    if (!CFile::ReadAll(path, &bytes, false)) {
        return false;
    }
    m_Text.assign(bytes.begin(), bytes.end());
    if (m_Text.empty() || m_Text.back() != '\n') m_Text += '\n';
    return true;
}

bool CTextReader::SetText(const std::string& text) { return SetText(text.data(), text.size()); }

bool CTextReader::SetText(const char* text, size_t size) {
    if (text) {
        m_Text.assign(text, size);
    } else {
        m_Text.clear();
    }
    // The same shape as a loaded file: the last line always has its line end.
    m_Text += '\n';
    m_Pos = 0;
    return true;
}

void CTextReader::Clear() {
    m_Text.clear();
    m_Pos = 0;
}

size_t CTextReader::_CharLength(const std::string& s, size_t pos) const {
    if (IsSjisLeadByte(s[pos]) && pos + 1 < s.size() && IsTrailByte(s[pos + 1])) return 2;
    return 1;
}

bool CTextReader::_NextRawLine(std::string* line) {
    line->clear();
    if (m_Pos >= m_Text.size()) return false;
    bool comment = false;
    while (m_Pos < m_Text.size()) {
        size_t len = _CharLength(m_Text, m_Pos);
        char c = m_Text[m_Pos];
        if (len == 1 && c == '\n') {
            ++m_Pos;
            break;
        }
        if (!comment) {
            if (len == 2) {
                line->append(m_Text, m_Pos, 2);
            } else if (c == '/' && m_Pos + 1 < m_Text.size() && m_Text[m_Pos + 1] == '/') {
                comment = true;
            } else if (c != '\r') {
                *line += c;
            }
        }
        m_Pos += len;
    }
    return true;
}

bool CTextReader::_IsLineEmpty(const std::string& line) const {
    if (!m_BlankSeparates) return line.empty();
    for (char c : line) {
        if (!IsBlank(c)) return false;
    }
    return true;
}

void CTextReader::_SplitLine(const std::string& line, int count, std::string* fields) const {
    // Items: text runs of one character, or separators.
    enum EKind { TEXT, COMMA, BLANK };
    struct SItem {
        EKind kind;
        size_t pos, len;
    };
    std::vector<SItem> items;
    for (size_t i = 0; i < line.size();) {
        size_t len = _CharLength(line, i);
        EKind kind = TEXT;
        if (len == 1 && m_SplitFields && line[i] == ',') kind = COMMA;
        if (len == 1 && m_BlankSeparates && IsBlank(line[i])) kind = BLANK;
        items.push_back({kind, i, len});
        i += len;
    }
    if (m_BlankSeparates && m_CollapseBlanks) {
        std::vector<SItem> kept;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind != BLANK) {
                kept.push_back(items[i]);
                continue;
            }
            // One blank stands for the run, and only between two pieces of text.
            if (!kept.empty() && kept.back().kind == BLANK) continue;
            size_t next = i;
            while (next < items.size() && items[next].kind == BLANK) ++next;
            if (kept.empty() || kept.back().kind == COMMA) continue;
            if (next == items.size() || items[next].kind == COMMA) continue;
            kept.push_back(items[i]);
        }
        items.swap(kept);
    }
    if (m_SplitFields && m_CollapseCommas) {
        std::vector<SItem> kept;
        for (const SItem& it : items) {
            if (it.kind == COMMA && !kept.empty() && kept.back().kind == COMMA) continue;
            kept.push_back(it);
        }
        items.swap(kept);
    }
    int field = 0;
    for (const SItem& it : items) {
        if (field >= count) break;
        if (it.kind == TEXT) {
            fields[field].append(line, it.pos, it.len);
        } else {
            ++field;
        }
    }
}

bool CTextReader::ReadLine(int count, std::string* fields) {
    if (count < 0 || !fields) count = 0;
    for (int i = 0; i < count; ++i) fields[i].clear();
    std::string line;
    while (_NextRawLine(&line)) {
        if (_IsLineEmpty(line)) continue;
        _SplitLine(line, count, fields);
        return true;
    }
    return false;
}

bool CTextReader::ReadLine(int count, std::vector<std::string>* fields) {
    if (!fields) return ReadLine(0, static_cast<std::string*>(nullptr));
    fields->assign(count > 0 ? static_cast<size_t>(count) : 0, std::string());
    return ReadLine(count, fields->data());
}

bool CTextReader::GetNextToken(std::string* token) {
    token->clear();
    while (m_Pos < m_Text.size()) {
        size_t len = _CharLength(m_Text, m_Pos);
        char c = m_Text[m_Pos];
        if (len == 1 && (IsBlank(c) || c == '\r' || c == '\n')) {
            m_Pos += 1;
            if (!token->empty()) return true;
            continue;
        }
        if (len == 1 && c == '/' && m_Pos + 1 < m_Text.size() && m_Text[m_Pos + 1] == '/') {
            // A comment ends the token and the rest of its line.
            while (m_Pos < m_Text.size() && m_Text[m_Pos] != '\n') m_Pos += _CharLength(m_Text, m_Pos);
            if (!token->empty()) return true;
            continue;
        }
        token->append(m_Text, m_Pos, len);
        m_Pos += len;
    }
    return !token->empty();
}

bool CTextReader::IsEnd() const {
    // Whether a further ReadLine would find a line is not known without reading; the
    // end is where no byte is left.
    return m_Pos >= m_Text.size();
}
