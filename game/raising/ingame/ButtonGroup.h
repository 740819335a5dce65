#pragma once
// A row of widgets stepped together once a frame: a leading widget, five image buttons
// and a trailing widget, in that order (a screen's button bar).
#include <array>

#include "game/core/Button.h"
#include "game/core/ImageButton.h"

struct SButtonGroup {
    static constexpr int kButtonCount = 5;
    CButton first;
    std::array<CImageButton, kButtonCount> buttons;
    CButton last;

    void Update() {
        first.Update();
        for (CImageButton& b : buttons) b.Update();
        last.Update();
    }
};
