#pragma once
// A player that gets a new game on the demo data through its month: every 24 frames a
// click, where the running in-game mode needs it (so that a panel that slides in is in
// place before the next click). Confirmations are expected to be off.
#include <array>

#include "platform/sys/Geometry.h"

namespace demoplayer {

inline constexpr int kClickFrames = 24;

// The place to click before `frame` while in-game mode `mode` runs, or null for none:
// the food allowance's +1000 and +100 arrows, then its decide button; the home menu's
// end button; elsewhere a point that advances a line, takes the first of two choices
// and is no button of the home menu.
inline const SPoint* ClickAt(int frame, int mode) {
    static constexpr std::array<SPoint, 3> kFood = {SPoint{478, 171}, SPoint{508, 167}, SPoint{400, 364}};
    static constexpr SPoint kHomeEnd{648, 256};
    static constexpr SPoint kElsewhere{300, 300};
    if (frame % kClickFrames != 0) return nullptr;
    if (mode == 15) return &kFood[static_cast<size_t>(frame / kClickFrames) % kFood.size()];
    return mode == 17 ? &kHomeEnd : &kElsewhere;
}

}  // namespace demoplayer
