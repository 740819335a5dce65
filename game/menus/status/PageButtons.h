#pragma once
// The input frame the status pages share.
#include <cstdint>
#include <span>

#include "game/core/ImageButton.h"

class CGameMain;

// One frame of a page's buttons.  During a top-level transition they get no pointer.
// Otherwise a cancel plays the cancel sound and returns to the caller at once (kCancelled;
// the buttons are not stepped that frame); else every button gets the pointer and the
// decide test, plays its sounds and the first clicked index is returned.  -1: none.
constexpr int32_t kCancelled = -2;
int32_t UpdatePageButtons(CGameMain& game, std::span<CImageButton> buttons);
