#include "game/raising/event/EventTable.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"

namespace {

// Where a term's digits go while it is read.
struct STermReader {
    EventTerm term;
    std::string digits[2][2];  // [side][0 category, 1 index]
    std::string op;
    int side = 0;
    int part = 0;

    void Operator(char c) {
        op += c;
        side = 1;
        part = 0;
    }
    void SetKindStatus() { (side == 0 ? term.leftKind : term.rightKind) = 0; }
};

// The term with its numbers read and the operator text looked up in `texts`; an
// operator that is not there stays -1 and is logged with `logLine`.
template <size_t N>
EventTerm _Finish(STermReader& r, const char* const (&texts)[N], const int32_t (&codes)[N], const char* logLine) {
    r.term.leftCategory = StrToInt(r.digits[0][0]);
    r.term.leftIndex = StrToInt(r.digits[0][1]);
    r.term.rightCategory = StrToInt(r.digits[1][0]);
    r.term.rightIndex = StrToInt(r.digits[1][1]);
    r.term.op = -1;
    for (size_t i = 0; i < N; ++i) {
        if (r.op == texts[i]) {
            r.term.op = codes[i];
            break;
        }
    }
    if (r.term.op < 0) {
        DebugPrintf("%s", logLine);
    }
    return r.term;
}

// Walks a term's characters; a double-byte character is skipped whole, so that its
// trail byte is never read as a bracket or an underscore.
template <typename F>
void _ForEachChar(const std::string& text, F&& onChar) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSjisLeadByte(text[i]) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        onChar(text[i]);
    }
}

std::string _ChoicePicture(const std::string& name) { return MakeResourcePath(name, "obj\\selection", "bmp"); }

}  // namespace

CEventTable::~CEventTable() { ClearRows(); }

void CEventTable::ClearRows() { m_Rows.clear(); }

bool CEventTable::Load(const std::string& path) {
    ClearRows();
    CTextReader reader;
    // The game runs on without events either way, but a month that plays none must be
    // traceable to its table.
    if (!reader.Load(path)) {
        DebugPrintf("CEventTable::Load() ファイルを読み込めません[%s]", path.c_str());
        return false;
    }
    _Read(reader);
    if (m_Rows.empty()) {
        DebugPrintf("CEventTable::Load() イベントが1つもありません[%s]", path.c_str());
    }
    return true;
}

bool CEventTable::LoadText(const std::string& text) {
    ClearRows();
    CTextReader reader;
    reader.SetText(text);
    _Read(reader);
    return true;
}

void CEventTable::_Read(CTextReader& reader) {
    reader.SetSplitFields(true);
    reader.SetBlankSeparates(false);
    reader.SetCollapseBlanks(false);
    reader.SetCollapseCommas(false);
    std::string f[kColumnCount];
    while (reader.ReadLine(kColumnCount, f)) {
        if (std::all_of(std::begin(f), std::end(f), [](const std::string& s) { return s.empty(); })) {
            continue;
        }
        if (f[6].empty()) {
            // A continuation line adds one term or choice to the row above it.
            if (m_Rows.empty()) {
                continue;
            }
            EventRow& row = *m_Rows.back();
            if (!f[9].empty()) {
                row.conditions.push_back(_SetEventCondition(f[9]));
            }
            if (!f[10].empty()) {
                row.settings.push_back(_SetEventSetFlag(f[10]));
            }
            if (!f[13].empty() && row.next == EVENT_NEXT_SELECT) {
                row.choices.push_back({_ChoicePicture(f[12]), StrToInt(f[13])});
            }
            continue;
        }
        auto row = std::make_unique<EventRow>();
        row->id = StrToInt(f[1]);
        row->kind = StrToInt(f[2]);
        row->sub = StrToInt(f[3]);
        row->group = StrToInt(f[4]);
        row->script = MakeResourcePath(NormalizePath("scr\\" + PathToBackslash(f[5]) + "\\" + f[6]), "scr", "txt");
        row->once = f[7] == "1";
        row->priority = StrToInt(f[8]);
        if (!f[9].empty()) {
            row->conditions.push_back(_SetEventCondition(f[9]));
        }
        if (!f[10].empty()) {
            row->settings.push_back(_SetEventSetFlag(f[10]));
        }
        row->jumpTarget = 0;
        if (f[11] == "more") {
            row->next = EVENT_NEXT_MORE;
        } else if (f[11] == "jump") {
            row->next = EVENT_NEXT_JUMP;
            row->jumpTarget = StrToInt(f[13]);
        } else if (f[11] == "select") {
            row->next = EVENT_NEXT_SELECT;
            row->choices.push_back({_ChoicePicture(f[12]), StrToInt(f[13])});
        } else {
            row->next = EVENT_NEXT_NONE;
            if (!f[11].empty()) {
                DebugPrintf("CEventTable::Load() 例外処理001");
            }
        }
        row->outcomeClass = StrToInt(f[14]);
        row->sideFilter = StrToInt(f[15]);
        row->placeFilter = StrToInt(f[16]);
        row->result = 0;
        m_Rows.push_back(std::move(row));
    }
}

EventRow* CEventTable::FindRow(int32_t id) const {
    for (const auto& row : m_Rows) {
        if (row->id == id) {
            return row.get();
        }
    }
    return nullptr;
}

std::string CEventTable::GetEventName(int32_t id) const {
    const EventRow* row = FindRow(id);
    return row ? row->script : std::string();
}

EventTerm CEventTable::_SetEventCondition(const std::string& text) {
    STermReader r;
    if (StrCaseConvert(text) == "false") {
        // The constant 0 is never different from the constant 0.
        r.term.op = 1;
        return r.term;
    }
    _ForEachChar(text, [&r](char c) {
        switch (c) {
            case '!': case '<': case '=': case '>':
                r.Operator(c);
                break;
            case ']':
                r.side = 1;
                r.part = 0;
                break;
            case '-': case '_':
                r.part = 1;
                break;
            case '[':
                r.SetKindStatus();
                break;
            default:
                if (c >= '0' && c <= '9') {
                    r.digits[r.side][r.part] += c;
                }
                break;
        }
    });
    static constexpr const char* kTexts[] = {"==", "=", "!=", "<", "<=", ">", ">="};
    static constexpr int32_t kCodes[] = {0, 0, 1, 2, 3, 4, 5};
    return _Finish(r, kTexts, kCodes, "CEventTable::_SetEventCondition() 例外処理");
}

EventTerm CEventTable::_SetEventSetFlag(const std::string& text) {
    STermReader r;
    bool inBrackets = false;
    _ForEachChar(text, [&](char c) {
        switch (c) {
            case '[':
                r.SetKindStatus();
                inBrackets = true;
                break;
            case ']':
                inBrackets = false;
                r.side = 1;
                r.part = 0;
                break;
            case '-': case '_':
                if (inBrackets) {
                    r.part = 1;
                } else {
                    r.Operator(c);
                }
                break;
            case '%': case '*': case '+': case '/': case '=':
                r.Operator(c);
                break;
            default:
                if (c >= '0' && c <= '9') {
                    r.digits[r.side][r.part] += c;
                }
                break;
        }
    });
    static constexpr const char* kTexts[] = {"=", "+=", "-", "*=", "/", "%="};
    static constexpr int32_t kCodes[] = {0, 1, 2, 3, 4, 5};
    return _Finish(r, kTexts, kCodes, "CEventTable::_SetEventSetFlag() 例外処理");
}
