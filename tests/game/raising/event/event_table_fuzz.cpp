// Feeds arbitrary bytes to the event table: the first byte picks the form (0: a whole
// csv, selected from and applied; 1: a condition term, evaluated; 2: a setting term,
// applied).  Nothing may read outside its text, overflow or fail to return.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/EventDraw.h"
#include "game/raising/event/EventTable.h"

namespace {

// Repeatable draws that never stick on one value, so that redraw loops end.
uint32_t g_Counter = 0;
uint32_t _Draw(uint32_t) { return g_Counter++ * 2654435761u >> 7; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (SetDebugOutputEnabled(false), true);
    (void)quiet;
    if (size < 1) return 0;
    static CEventDrawOverride select(EVENT_DRAW_SELECT, _Draw);
    static CEventDrawOverride pick(EVENT_DRAW_PICK, _Draw);
    static CEventDrawOverride candidate(EVENT_DRAW_CANDIDATE, _Draw);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CStatus status;
    status.SetParam(1, 1, 7);
    switch (data[0] % 3) {
        case 0: {
            CEventTable table;
            table.LoadText(text);
            for (const auto& row : table.GetRows()) {
                ApplyEventSettings(status, *row);
                status.SetLastEvent(row->id, row->kind, row->sub);
                if (table.FindRow(row->id) == nullptr || table.GetEventName(row->id).empty()) {
                    __builtin_trap();
                }
            }
            for (const auto& row : table.GetRows()) {
                table.SelectEvent(status, row->kind, row->sub);
            }
            status.Words().outcomeRestricted = 1;
            table.SelectEvent(status, 23, 1);
            break;
        }
        case 1:
            EvaluateCondition(status, CEventTable::_SetEventCondition(text));
            break;
        default:
            ApplyEventSettings(status, {CEventTable::_SetEventSetFlag(text)});
            break;
    }
    return 0;
}
