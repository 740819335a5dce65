#include "game/raising/mansionmenu/HelpTable.h"

#include <memory>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"

namespace {

std::unique_ptr<CHelpTable>& MenuSlot() {
    static std::unique_ptr<CHelpTable> table;
    return table;
}

std::unique_ptr<CHelpTable>& ShopSlot() {
    static std::unique_ptr<CHelpTable> table;
    return table;
}

const CHelpTable& Table(std::unique_ptr<CHelpTable>& slot, const char* path) {
    if (!slot) {
        slot = std::make_unique<CHelpTable>();
        slot->Load(path);
    }
    return *slot;
}

}  // namespace

std::string ConvertHelpLine(const std::string& line) { return BackslashesToLineFeeds(line); }

std::string FillHelp(const std::string& line, const std::vector<SHelpArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (IsSjisLeadByte(c) && i + 1 < line.size()) {
            out += line[i];
            out += line[++i];
            continue;
        }
        const bool placeholder = c == '*' && i + 1 < line.size() && (line[i + 1] == 'd' || line[i + 1] == 'c');
        if (!placeholder) {
            out += line[i];
            continue;
        }
        const bool wantText = line[++i] == 'c';
        if (next >= args.size()) {
            DebugPrintf("FillHelp() 引数が足りません[%s]\n", line.c_str());
            continue;
        }
        const SHelpArg& arg = args[next++];
        if (arg.text != wantText) {
            DebugPrintf("FillHelp() 引数の型が違います[%s]\n", line.c_str());
            continue;
        }
        out += wantText ? arg.str : std::to_string(arg.number);
    }
    return out;
}

bool CHelpTable::Load(const std::string& path) {
    m_Lines.clear();
    CTextReader reader;
    if (!reader.Load(path)) return false;
    _Read(reader);
    return true;
}

void CHelpTable::LoadText(const std::string& text) {
    m_Lines.clear();
    CTextReader reader;
    reader.SetText(text);
    _Read(reader);
}

void CHelpTable::_Read(CTextReader& reader) {
    reader.SetBlankSeparates(false);
    std::string field;
    while (static_cast<int>(m_Lines.size()) < kLineCount && reader.ReadLine(1, &field)) {
        m_Lines.push_back(ConvertHelpLine(field));
    }
}

const std::string& CHelpTable::GetLine(int32_t n) const {
    static const std::string empty;
    if (n < 0 || n >= GetCount()) return empty;
    return m_Lines[static_cast<size_t>(n)];
}

const CHelpTable& MansionMenuHelp() { return Table(MenuSlot(), "cfg\\bell_tutorial.txt"); }
const CHelpTable& ShopHelp() { return Table(ShopSlot(), "cfg\\bell_shop_tutorial.txt"); }

void DropMansionHelpTables() {
    MenuSlot().reset();
    ShopSlot().reset();
}
