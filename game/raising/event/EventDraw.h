#pragma once
// The random draws of the event choice.  Each source has a generator of its own,
// built on first use and seeded from the clock, which lives until exit.  Tests put a
// draw function of their own in front of a source, so that a test sees exactly the
// draws it scripted whatever ran before it.
#include <cstdint>
#include <functional>

enum EEventDraw {
    EVENT_DRAW_SELECT,     // CEventTable::SelectEvent
    EVENT_DRAW_PICK,       // PickEventAtRandom
    EVENT_DRAW_CANDIDATE,  // ChooseCandidate
    EVENT_DRAW_COUNT,
};

// The next draw of a source: 0 to n - 1, 0 for n = 0.
uint32_t EventDraw(EEventDraw source, uint32_t n);

// While alive, the draws of `source` come from `draw` (its answer is taken modulo n).
class CEventDrawOverride {
public:
    using DrawFunction = std::function<uint32_t(uint32_t n)>;
    CEventDrawOverride(EEventDraw source, DrawFunction draw);
    ~CEventDrawOverride();
    CEventDrawOverride(const CEventDrawOverride&) = delete;
    CEventDrawOverride& operator=(const CEventDrawOverride&) = delete;

private:
    EEventDraw m_Source;
    DrawFunction m_Previous;
};
