#pragma once
// One event of cfg\event.csv as the game keeps it, with its parsed conditions,
// settings and choices.  The table owns its rows; callers hold plain pointers to
// them for as long as the table lives (the game object's table lives until exit).
#include <cstdint>
#include <string>
#include <vector>

// A condition or setting term: two operands and an operator.  An operand of kind 0
// is the status value (category, index); of kind 1 the constant held in its category
// field; any other kind reads 0.
struct EventTerm {
    int32_t leftKind = 1;
    int32_t rightKind = 1;
    int32_t leftCategory = 0;
    int32_t leftIndex = 0;
    int32_t rightCategory = 0;
    int32_t rightIndex = 0;
    // Condition: 0 "=" / "==", 1 "!=", 2 "<", 3 "<=", 4 ">", 5 ">=".
    // Setting: 0 "=", 1 "+=", 2 "-", 3 "*=", 4 "/", 5 "%=".
    // -1: the text was not an operator (a condition that always holds, a setting that does nothing).
    int32_t op = -1;
    bool operator==(const EventTerm&) const = default;
};

// One choice of a "select" row: the picture of its button and the event it starts.
struct EventChoice {
    std::string picture;
    int32_t target = 0;
    bool operator==(const EventChoice&) const = default;
};

// What follows an event when its script has ended.
enum EEventNext {
    EVENT_NEXT_NONE = 0,
    EVENT_NEXT_MORE = 1,    // select again for the same occasion
    EVENT_NEXT_JUMP = 2,    // start the event jumpTarget
    EVENT_NEXT_SELECT = 3,  // offer the choices on the selection screen
};

struct EventRow {
    int32_t id = 0;
    int32_t kind = 0;
    int32_t sub = 0;
    int32_t group = 0;
    std::string script;
    bool once = false;
    int32_t priority = 0;
    std::vector<EventTerm> conditions;
    std::vector<EventTerm> settings;
    int32_t next = EVENT_NEXT_NONE;
    std::vector<EventChoice> choices;
    int32_t jumpTarget = 0;
    int32_t outcomeClass = 0;
    int32_t sideFilter = 0;
    int32_t placeFilter = 0;
    // Written by the selection when it returns the row: the final grade for the
    // graded rows of the occasion (23, 1), else 0.
    int32_t result = 0;

    // The names the in-game scene uses for three of these fields (docs/event-table.md);
    // this is the one place that maps them.
    // The amount a (23, 1) row adds to the self-sufficiency value when its script ends.
    int32_t GetKind23Value() const { return result; }
    // Which kind-23 counter a (23, 1) row moves: 1 the first, 2 clears both, 3 and 4 the second.
    int32_t GetCounterCode() const { return outcomeClass; }
    // The number of choices a "select" row hands to the selection screen.
    int32_t GetSelectionValue() const { return static_cast<int32_t>(choices.size()); }
};
