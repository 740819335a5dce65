#pragma once
// The history of text already read, kept across games in save\read.sav: per list
// (the stage uses list 1) a set of keys (script names whose end was reached) and,
// per key, the ids of the records that were shown.  Keys are compared without
// regard to ASCII case and slash direction.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/core/Serializable.h"

class CReadHistory : public CSerializable {
public:
    static constexpr uint32_t kFormatVersion = 1;
    static constexpr int kListCount = 4;
    static constexpr const char* kDefaultPath = "save\\read.sav";

    CReadHistory() = default;

    void Clear();
    // Records the pair (key, id) in a list (the key's record list is created).
    void Add(const std::string& key, int32_t id, int list = 1);
    // Records a key alone.
    void AddKey(const std::string& key, int list = 1);
    // True when the pair (key, id) was recorded.
    bool Contains(const std::string& key, int32_t id, int list = 1) const;
    // True when the key was recorded alone.
    bool Find(const std::string& key, int list = 1) const;
    // True when a record list exists for the key (some record of it was read).
    bool GetList(const std::string& key, int list = 1) const;
    // The ids recorded for the key, in ascending order; null when none.
    const std::vector<int32_t>* GetIds(const std::string& key, int list = 1) const;

    // Reads the file; false (and the history empty) when it is missing or corrupt.
    bool Load(const std::string& path = kDefaultPath);
    bool Save(const std::string& path = kDefaultPath);

    void Serialize(CDataFile& file) override;
    bool operator==(const CReadHistory& other) const = default;

    // The form keys are compared in.
    static std::string NormalizeKey(const std::string& key);

private:
    struct SList {
        std::set<std::string> keys;
        std::map<std::string, std::vector<int32_t>> records;
        bool operator==(const SList&) const = default;
    };
    const SList* _List(int list, const char* who) const;
    SList* _List(int list, const char* who);

    SList m_Lists[kListCount];
};
