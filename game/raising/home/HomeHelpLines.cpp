#include "game/raising/home/HomeHelpLines.h"

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"

CHomeHelpLines& CHomeHelpLines::Shared() {
    static CHomeHelpLines lines;
    return lines;
}

void CHomeHelpLines::EnsureLoaded() {
    if (!m_Loaded) Load();
}

void CHomeHelpLines::Load() {
    Forget();
    m_Loaded = true;
    CTextReader reader;
    if (!reader.Load(kFile)) return;
    const int read = Parse(reader, &m_Lines);
    if (read > kCount) {
        DebugPrintf("CHomeHelpLines::Load() %sの行が多すぎます[%d]、先頭の%d行を使います", kFile, read, kCount);
    }
}

void CHomeHelpLines::Forget() {
    m_Lines.fill(std::string());
    m_Loaded = false;
}

const std::string& CHomeHelpLines::Get(int n) const {
    static const std::string empty;
    return n >= 0 && n < kCount ? m_Lines[static_cast<size_t>(n)] : empty;
}

int CHomeHelpLines::Parse(CTextReader& reader, std::array<std::string, kCount>* lines) {
    // One field a line, read as the mansion's help tables are: blanks belong to the
    // help text, a comma still ends it.
    reader.SetBlankSeparates(false);
    std::string field;
    int n = 0;
    while (reader.ReadLine(1, &field)) {
        if (n < kCount) (*lines)[static_cast<size_t>(n)] = BreakLines(field);
        ++n;
    }
    return n;
}

std::string CHomeHelpLines::BreakLines(const std::string& line) { return BackslashesToLineFeeds(line); }
