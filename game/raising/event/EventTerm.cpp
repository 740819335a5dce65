// Evaluating conditions and applying settings of event rows.
#include <cstdint>
#include <limits>

#include "engine/base/Log.h"
#include "game/core/Status.h"
#include "game/raising/event/EventTable.h"

namespace {

int32_t _Operand(const CStatus& status, int32_t kind, int32_t category, int32_t index) {
    if (kind == 0) {
        return status.GetParam(category, index);
    }
    return kind == 1 ? category : 0;
}

// Two's-complement results without signed overflow.
int32_t _Wrap(uint32_t v) { return static_cast<int32_t>(v); }

}  // namespace

bool EvaluateCondition(const CStatus& status, const EventTerm& term) {
    const int32_t left = _Operand(status, term.leftKind, term.leftCategory, term.leftIndex);
    const int32_t right = _Operand(status, term.rightKind, term.rightCategory, term.rightIndex);
    switch (term.op) {
        case 0: return left == right;
        case 1: return left != right;
        case 2: return left < right;
        case 3: return left <= right;
        case 4: return left > right;
        case 5: return left >= right;
        default: return true;
    }
}

void ApplyEventSettings(CStatus& status, const std::vector<EventTerm>& settings) {
    for (const EventTerm& s : settings) {
        if (s.leftKind != 0 || s.op < 0 || s.op > 5) {
            continue;
        }
        const int32_t right = _Operand(status, s.rightKind, s.rightCategory, s.rightIndex);
        const int32_t left = status.GetParam(s.leftCategory, s.leftIndex);
        const uint32_t l = static_cast<uint32_t>(left);
        const uint32_t r = static_cast<uint32_t>(right);
        int32_t value = 0;
        switch (s.op) {
            case 0: value = right; break;
            case 1: value = _Wrap(l + r); break;
            case 2: value = _Wrap(l - r); break;
            case 3: value = _Wrap(l * r); break;
            default:
                // Nothing divides by 0, and the lowest value over -1 has no 32-bit
                // quotient; its remainder is 0 all the same (a C++ % would trap there).
                if (right == 0 || (s.op == 4 && right == -1 && left == std::numeric_limits<int32_t>::min())) {
                    DebugPrintf("ApplyEventSettings() 割り算できないため設定を飛ばします[%d, %d] %d %s %d", s.leftCategory,
                                s.leftIndex, left, s.op == 4 ? "/" : "%=", right);
                    continue;
                }
                if (s.op == 4) {
                    value = left / right;
                } else {
                    value = right == -1 ? 0 : left % right;
                }
                break;
        }
        status.SetParam(s.leftCategory, s.leftIndex, value);
    }
}

void ApplyEventSettings(CStatus& status, const EventRow& row) { ApplyEventSettings(status, row.settings); }
