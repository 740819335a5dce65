#pragma once
// Holds one compiled scenario script as an ordered list of records, knows the current
// record and executes records one after another through a translator factory.
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "engine/adv/AdvCommand.h"
#include "engine/adv/AdvTranslator.h"

class CAdvCommandControl {
public:
    CAdvCommandControl() = default;
    // `factory` is not owned.
    explicit CAdvCommandControl(IAdvTranslatorFactory* factory) : m_Factory(factory) {}
    virtual ~CAdvCommandControl();
    CAdvCommandControl(const CAdvCommandControl&) = delete;
    CAdvCommandControl& operator=(const CAdvCommandControl&) = delete;

    // Reads a compiled script found as CFile finds it.  Whatever happens, the records,
    // the current record and the script name are dropped first; a file that cannot be
    // opened, is not a compiled script, or is cut short or damaged leaves them so.
    bool LoadCompiled(const std::string& path);
    // The same over bytes in memory (the script name becomes `name`).
    bool LoadCompiledFromMemory(const uint8_t* data, size_t size, const std::string& name);
    // Writes the records to a plain disk file in the same format.
    bool SaveCompiled(const std::string& path);

    // Makes the record of `id` current and returns it; none for an id no record has.
    CAdvCommand* StartAt(uint32_t id);
    // One execution step; false when nothing can run (no factory, no records, or the
    // script has ended).  `lineId` receives the current id after each command.  A step
    // never runs more commands than the script holds records, so a cycle of commands
    // that never stop holds for the frame instead of hanging.
    bool Execute(uint32_t* lineId = nullptr);

    // Editing.
    uint32_t Append(const CAdvCommand& record);
    uint32_t InsertStart(const CAdvCommand& record);
    uint32_t NewId() const;
    CAdvCommand* FindById(uint32_t id) const;
    CAdvCommand* GetRecordAt(size_t n) const;
    size_t GetRecordCount() const { return m_Records.size(); }
    uint32_t GetId(CAdvCommand* record);
    CAdvCommand* GetCurrentRecord() const { return m_Current; }
    uint32_t GetCurrentId();
    uint32_t GetNextId(uint32_t id) const;
    uint32_t GetBranchId(int n, uint32_t id) const;
    void LinkNext(CAdvCommand* record, CAdvCommand* target);
    void SetNextById(uint32_t id, uint32_t nextId);
    void ClearNextById(uint32_t id);
    void LinkBranch(int n, CAdvCommand* record, CAdvCommand* target);
    void SetBranchById(int n, uint32_t id, uint32_t value);
    void ClearBranchById(int n, uint32_t id);
    CAdvCommand* AdvanceByPointer();
    // Removing the current record makes its successor (by NextId) current, or none.
    void RemoveRecord(CAdvCommand* record);
    void RemoveCurrentRecord();
    void RemoveRecordById(uint32_t id);
    void Reset();
    void Clear();
    std::string GetScriptName() const { return m_ScriptName; }

    void SetFactory(IAdvTranslatorFactory* factory) { m_Factory = factory; }

    static constexpr char kMagic[] = "PIRUSDK_ADVSCRIPT2";
    static constexpr size_t kMagicSize = 19;  // the 18 characters and their NUL

private:
    CAdvCommand* _Add(const CAdvCommand& record);

    IAdvTranslatorFactory* m_Factory = nullptr;
    std::list<std::unique_ptr<CAdvCommand>> m_Records;
    CAdvCommand* m_Current = nullptr;
    std::string m_ScriptName;
    // A cycle found by Execute is logged once per script.
    bool m_CycleReported = false;
};
