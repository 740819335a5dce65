#include "game/menus/unlock/CGViewTable.h"

#include "engine/base/Log.h"
#include "engine/base/Singleton.h"
#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/TextReader.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"

namespace {

const char* const kEntryBegin = "#p";
const char* const kEntryEnd = "##";

// A key must begin with a decimal number (what follows it is ignored, as the integer
// reader does) and index the system data's tables.
bool _ParseKey(const std::string& field, int32_t* key) {
    size_t i = (!field.empty() && (field[0] == '+' || field[0] == '-')) ? 1 : 0;
    if (i >= field.size() || field[i] < '0' || field[i] > '9') return false;
    int value = StrToInt(field);
    if (value < 0 || value >= CSystemData::kTableSize) return false;
    *key = value;
    return true;
}

// Main picture and overlays from field 1 up to the first empty field.
std::vector<std::string> _Pictures(const std::vector<std::string>& fields, size_t first) {
    std::vector<std::string> out;
    for (size_t j = first; j < fields.size() && !fields[j].empty(); ++j) {
        out.push_back(MakeResourcePath(fields[j], "", "bmp"));
    }
    return out;
}

struct CProgramCGViewTable {
    CProgramCGViewTable() { LoadCGViewTable(table); }
    CGViewTable table;
};

void _CloseEntry(SCGViewEntry& entry, std::vector<SCGViewEntry>* entries) {
    entry.recordCount = static_cast<int32_t>(entry.records.size());
    entry.unlockedCount = 0;
    for (const CCGViewRecord& r : entry.records) {
        if (r.unlocked != 0) ++entry.unlockedCount;
    }
    entry.anyUnlocked = entry.unlockedCount > 0;
    entries->push_back(std::move(entry));
    entry = SCGViewEntry();
}

}  // namespace

std::string GetCGViewFileName(int number) { return FormatString("cfg\\cgview%d.txt", number); }

void CGViewTable::Read(CTextReader& reader, const std::string& source) {
    std::vector<std::string> fields;
    while (reader.ReadLine(kFieldCount, &fields)) {
        if (fields[0].empty() || fields[0] == kEntryBegin || fields[0] == kEntryEnd) continue;
        SRecord record;
        if (!_ParseKey(fields[0], &record.key)) {
            DebugPrintf("CGViewTable::Read() キーが 0..99999 の数ではありません[%s: %s]", source.c_str(),
                        fields[0].c_str());
            continue;
        }
        record.pictures = _Pictures(fields, 1);
        m_Records.push_back(std::move(record));
    }
}

void CGViewTable::Mark(CSystemData& data, const std::string& picturePath) const {
    const std::string wanted = StrCaseConvert(picturePath);
    for (const SRecord& record : m_Records) {
        const size_t n = record.pictures.size();
        if (n == 0) continue;
        if (n == 1) {
            if (record.pictures[0] == wanted) data.SetCgUnlock(record.key, 1);
            continue;
        }
        for (size_t j = 0; j < n; ++j) {
            if (record.pictures[j] == wanted) data.MarkCgSeen(record.key, static_cast<int>(j));
        }
        // The main picture (bit 0) is kept but not needed: all overlays unlock.
        const uint32_t needed = ((1u << n) - 1u) & ~1u;
        if ((data.GetCgSeen(record.key) & needed) == needed && data.GetCgUnlock(record.key) == 0) {
            data.SetCgUnlock(record.key, 1);
        }
    }
}

void CGViewTable::Find(CGameMain& game, const std::string& picturePath) { Find(game.GetSystemData(), picturePath); }

void CGViewTable::Find(CSystemData& data, const std::string& picturePath) {
    CProgramCGViewTable& shared = CLazySingleton<CProgramCGViewTable>::Get();
    CCriticalLock lock(CLazySingleton<CProgramCGViewTable>::GetLock());
    shared.table.Mark(data, picturePath);
}

void CGViewTable::Reload() {
    CProgramCGViewTable& shared = CLazySingleton<CProgramCGViewTable>::Get();
    CCriticalLock lock(CLazySingleton<CProgramCGViewTable>::GetLock());
    shared.table = CGViewTable();
    LoadCGViewTable(shared.table);
}

void LoadCGViewTable(CGViewTable& table) {
    for (int n = 1; n <= CGViewTable::kFileCount; ++n) {
        const std::string name = GetCGViewFileName(n);
        CTextReader reader;
        if (reader.Load(name)) {
            table.Read(reader, name);
        } else {
            ReportUnreadableFile("LoadCGViewTable()", name);
        }
    }
}

void ReadCGViewerEntries(CTextReader& reader, const CSystemData& data, const std::string& source,
                         std::vector<SCGViewEntry>* entries) {
    std::vector<std::string> fields;
    SCGViewEntry entry;
    bool open = false;
    while (reader.ReadLine(kCGViewerFieldCount, &fields)) {
        if (fields[0] == kEntryBegin) {
            if (open) {
                // Read on as a record, it would show a group of key 0 in the entry
                // before; the table simply forgot its "##".
                DebugPrintf("ReadCGViewerEntries() \"##\" の前に \"#p\" があります[%s: %s]", source.c_str(),
                            fields[1].c_str());
                _CloseEntry(entry, entries);
            }
            open = true;
            entry.previewPath = MakeResourcePath(fields[1], "obj", "bmp");
            continue;
        }
        if (!open) continue;  // between "##" and "#p": for the unlock table only
        if (fields[0] == kEntryEnd) {
            _CloseEntry(entry, entries);
            open = false;
            continue;
        }
        CCGViewRecord record;
        if (!fields[0].empty() && !_ParseKey(fields[0], &record.key)) {
            DebugPrintf("ReadCGViewerEntries() キーが 0..99999 の数ではありません[%s: %s]", source.c_str(),
                        fields[0].c_str());
            continue;
        }
        record.unlocked = data.GetCgUnlock(record.key);
        record.picture = MakeResourcePath(fields[1], "", "bmp");
        record.overlays = _Pictures(fields, 2);
        entry.records.push_back(std::move(record));
    }
    if (open) _CloseEntry(entry, entries);
}

bool LoadCGViewerPage(int page, const CSystemData& data, std::vector<SCGViewEntry>* entries) {
    entries->clear();
    if (page < 0 || page >= CGViewTable::kFileCount) {
        DebugPrintf("LoadCGViewerPage() ページが範囲外です[%d]", page);
        return false;
    }
    const std::string name = GetCGViewFileName(page + 1);
    CTextReader reader;
    if (!reader.Load(name)) {
        ReportUnreadableFile("LoadCGViewerPage()", name);
        return false;
    }
    ReadCGViewerEntries(reader, data, name, entries);
    return true;
}
