#pragma once
// A player that gets a new game on the demo data through its month without looking at
// the screen: one click every 24 frames (so that a panel that slides in is in place for
// the next), at the next of a few places that are harmless where they are no button.
#include <array>

#include "platform/sys/Geometry.h"

namespace demoplayer {

inline constexpr int kClickFrames = 24;

// A line and the first of two choices (no button of the home menu); the food
// allowance's decide button and its confirmation; the mansion menu's end button and its
// confirmation; the home menu's end button and its confirmation.
inline constexpr std::array<SPoint, 7> kClicks = {SPoint{300, 300}, SPoint{400, 364}, SPoint{420, 434},
                                                  SPoint{124, 380}, SPoint{240, 324}, SPoint{648, 256},
                                                  SPoint{400, 322}};

// The place to click before `frame`, or null for none.
inline const SPoint* ClickAt(int frame) {
    if (frame % kClickFrames != 0) return nullptr;
    return &kClicks[static_cast<size_t>(frame / kClickFrames) % kClicks.size()];
}

}  // namespace demoplayer
