#pragma once
// Every event of the raising game, read once from cfg\event.csv: which script plays
// for which occasion (kind, sub), under which conditions on the girl's status, what
// it changes when its script has ended and what follows it.  The file's format is
// written down in docs/event-table.md.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/raising/event/EventRow.h"

class CStatus;
class CTextReader;

class CEventTable {
public:
    static constexpr const char* kDefaultPath = "cfg\\event.csv";
    static constexpr int kColumnCount = 17;

    CEventTable() = default;
    virtual ~CEventTable();
    CEventTable(const CEventTable&) = delete;
    CEventTable& operator=(const CEventTable&) = delete;

    // Empties the table and reads the file through the file layer (folder or archive).
    // False, with an empty table and a log line, when the file cannot be read; true
    // otherwise, however many lines were bad (each bad keyword or term is logged, and a
    // file without a single row is).
    bool Load(const std::string& path);
    // The same from text already in memory; always true.
    bool LoadText(const std::string& text);
    // Deletes every row.
    void ClearRows();

    // The first row in file order with this id; null when there is none.
    EventRow* FindRow(int32_t id) const;
    // The script of the first row with this id; "" when there is none.
    std::string GetEventName(int32_t id) const;
    const std::vector<std::unique_ptr<EventRow>>& GetRows() const { return m_Rows; }

    // The row that plays now for the occasion (kind, sub), with its result set, or null
    // when the occasion has no candidate.  For the occasion (23, 1) it also works out
    // the graded outcome and stores it in the status, even when it then returns null.
    EventRow* SelectEvent(CStatus& status, int32_t kind, int32_t sub);

    // The two term grammars of columns 9 and 10 (a bad operator is logged and kept as -1).
    static EventTerm _SetEventCondition(const std::string& text);
    static EventTerm _SetEventSetFlag(const std::string& text);

private:
    void _Read(CTextReader& reader);
    std::vector<EventRow*> _Candidates(const CStatus& status, int32_t kind, int32_t sub, bool lowestOnly) const;
    EventRow* _SelectOutcome(CStatus& status, std::vector<EventRow*> candidates);

    std::vector<std::unique_ptr<EventRow>> m_Rows;
};

// Whether a condition holds for the status (an unknown operator always holds).
bool EvaluateCondition(const CStatus& status, const EventTerm& term);
// Applies settings in order through CStatus::SetParam and its rules; a later setting
// sees what the earlier ones wrote.  A division or remainder by 0 (or one that has no
// 32-bit result) is skipped with a log line.
void ApplyEventSettings(CStatus& status, const std::vector<EventTerm>& settings);
void ApplyEventSettings(CStatus& status, const EventRow& row);

// One row of the list at random, avoiding the event that last played for the occasion
// (kind, sub) when another row can be had; null for an empty list.
EventRow* PickEventAtRandom(const std::vector<EventRow*>& rows, const CStatus& status, int32_t kind, int32_t sub);
