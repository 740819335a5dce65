#include "game/raising/event/ChooseCandidate.h"

#include <algorithm>
#include <vector>

#include "game/core/Status.h"
#include "game/raising/event/EventDraw.h"

int ChooseCandidate(const CStatus& status, const std::array<bool, 4>& flags) {
    std::vector<int> left;
    for (int i = 0; i < 4; ++i) {
        if (flags[static_cast<size_t>(i)]) {
            left.push_back(i);
        }
    }
    if (left.empty()) {
        return -1;
    }
    // The friend word first, then the exchange value, then the second friend value.
    static constexpr int kKeyBase[] = {0, 4, 12};
    for (int base : kKeyBase) {
        if (left.size() == 1) {
            break;
        }
        int32_t best = status.GetParam(106, base + left.front());
        for (int i : left) {
            best = std::max(best, status.GetParam(106, base + i));
        }
        std::erase_if(left, [&](int i) { return status.GetParam(106, base + i) != best; });
    }
    if (left.size() == 1) {
        return left.front();
    }
    return left[EventDraw(EVENT_DRAW_CANDIDATE, static_cast<uint32_t>(left.size()))];
}
