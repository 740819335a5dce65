#include "game/core/ReadHistory.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/RecordFile.h"

namespace {
constexpr uint32_t kTag = MakeRecordTag('N', 'R', 'E', 'D');
}

std::string CReadHistory::NormalizeKey(const std::string& key) { return StrCaseConvert(PathToBackslash(key)); }

const CReadHistory::SList* CReadHistory::_List(int list, const char* who) const {
    if (list < 0 || list >= kListCount) {
        DebugPrintf("CReadHistory::%s リスト番号が範囲外です[%d]", who, list);
        return nullptr;
    }
    return &m_Lists[list];
}

CReadHistory::SList* CReadHistory::_List(int list, const char* who) {
    return const_cast<SList*>(static_cast<const CReadHistory*>(this)->_List(list, who));
}

void CReadHistory::Clear() {
    for (SList& l : m_Lists) l = SList();
}

void CReadHistory::Add(const std::string& key, int32_t id, int list) {
    SList* l = _List(list, "Add()");
    if (!l) return;
    std::vector<int32_t>& ids = l->records[NormalizeKey(key)];
    auto it = std::lower_bound(ids.begin(), ids.end(), id);
    if (it == ids.end() || *it != id) ids.insert(it, id);
}

void CReadHistory::AddKey(const std::string& key, int list) {
    if (SList* l = _List(list, "AddKey()")) l->keys.insert(NormalizeKey(key));
}

bool CReadHistory::Contains(const std::string& key, int32_t id, int list) const {
    const std::vector<int32_t>* ids = GetIds(key, list);
    return ids && std::binary_search(ids->begin(), ids->end(), id);
}

bool CReadHistory::Find(const std::string& key, int list) const {
    const SList* l = _List(list, "Find()");
    return l && l->keys.count(NormalizeKey(key)) != 0;
}

bool CReadHistory::GetList(const std::string& key, int list) const { return GetIds(key, list) != nullptr; }

const std::vector<int32_t>* CReadHistory::GetIds(const std::string& key, int list) const {
    const SList* l = _List(list, "GetIds()");
    if (!l) return nullptr;
    auto it = l->records.find(NormalizeKey(key));
    return it == l->records.end() ? nullptr : &it->second;
}

bool CReadHistory::Load(const std::string& path) {
    CReadHistory loaded;
    if (!LoadRecordFile(loaded, path, kTag, kFormatVersion, "CReadHistory::Load()")) {
        Clear();
        return false;
    }
    *this = std::move(loaded);
    return true;
}

bool CReadHistory::Save(const std::string& path) {
    return SaveRecordFile(*this, path, kTag, kFormatVersion, "CReadHistory::Save()");
}

void CReadHistory::Serialize(CDataFile& file) {
    for (SList& l : m_Lists) {
        // Keys: a count, then the strings (stored sorted, as the set holds them).
        std::vector<std::string> keys(l.keys.begin(), l.keys.end());
        serial::IoStrings(file, keys);
        if (file.HasFailed()) return;
        // Record lists: a count, then per key the key and its ids.
        uint32_t n = serial::IoCount(file, l.records.size(), 8);
        if (file.IsStoring()) {
            for (auto& [key, ids] : l.records) {
                std::string k = key;
                file.Io(k);
                serial::IoVector(file, ids);
            }
            continue;
        }
        l = SList();
        for (std::string& k : keys) l.keys.insert(NormalizeKey(k));
        for (uint32_t i = 0; i < n && !file.HasFailed(); ++i) {
            std::string key;
            std::vector<int32_t> ids;
            file.Io(key);
            serial::IoVector(file, ids);
            if (file.HasFailed()) return;
            std::sort(ids.begin(), ids.end());
            ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
            std::vector<int32_t>& dest = l.records[NormalizeKey(key)];
            std::vector<int32_t> merged;
            std::set_union(dest.begin(), dest.end(), ids.begin(), ids.end(), std::back_inserter(merged));
            dest.swap(merged);
        }
    }
}
