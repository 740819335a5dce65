#pragma once
// A button with a highlight: when the pointer comes onto it (and it is not a checked
// momentary button) a highlight value runs from 0 to 128 over 8 frames (advanced by
// Step) while the pointer stays; the pointer-over look is faded in over the plain look
// by it.  Used for the tab bars and the menu buttons.
#include "game/core/Button.h"

class CImageButton : public CButton {
public:
    static constexpr int32_t kHighlightMax = 128;
    static constexpr int32_t kHighlightFrames = 8;

    using CButton::Update;
    void Update(int32_t x, int32_t y, bool decide) override;
    void Step() override;
    void Draw(uint32_t colour, const CMatrix4& matrix) override;
    void Reset() override;

    // 0 to 128.
    int32_t GetHighlight() const { return m_Highlight; }
    // The "tick" of the animation: the same as Step.
    void Tick() { Step(); }

private:
    int32_t m_Highlight = 0;
};
