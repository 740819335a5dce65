#pragma once
// The movement of a panel that slides down into place while it fades in and slides on
// down while it fades out: a vertical offset on the decelerating curve and an opacity.
// The confirmation panel and the selection screen move this way.
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"

class CPanelMotion {
public:
    // From `slide` pixels above into place, fading in, over `steps`.
    void Open(int32_t slide, int32_t steps) {
        m_Offset.Set(-slide, 0, -steps);
        m_Alpha.Set(0, 255, steps);
    }
    // From its place `slide` pixels down, fading out, over `steps`.
    void Close(int32_t slide, int32_t steps) {
        m_Offset.Set(0, slide, steps);
        m_Alpha.Set(255, 0, steps);
    }
    // One step of both; true once both are at their ends.
    bool Step() {
        m_Offset.Next();
        m_Alpha.Next();
        return m_Offset.IsAtEnd() && m_Alpha.IsAtEnd();
    }
    int32_t GetOffset() const { return m_Offset.GetValue(); }
    int32_t GetAlpha() const { return m_Alpha.GetValue(); }
    // White at the current opacity.
    uint32_t GetColour() const { return static_cast<uint32_t>(m_Alpha.GetValue()) << 24 | 0x00FFFFFFu; }
    // The translation by the current offset.
    CMatrix4 GetMatrix() const {
        CMatrix4 slide;
        MatrixTranslation(&slide, 0.0f, static_cast<float>(m_Offset.GetValue()), 0.0f);
        return slide;
    }

private:
    CCounterAccel m_Offset;
    CCounterLinear m_Alpha;
};
