#pragma once
// A colour fill over the whole screen: a 16 × 16 picture of the colour stretched to
// 800 × 600.
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/stage/talk/TalkObject.h"

class CTalkBg : public CTalkFixedPicture {
public:
    void Draw() override;
    // Makes the small picture again after a device reset.
    void OnDeviceRestored() override;
    void Release() override;
    bool IsLoaded() const override { return m_Shown; }

    // Width and height are not used: the fill always covers the screen.  True.
    bool SetColor(int32_t width, int32_t height, uint32_t colour);
    uint32_t GetColor() const { return m_Colour; }

private:
    void _Make();

    uint32_t m_Colour = 0;
    bool m_Shown = false;
    CImagePlane m_Plane;
};
