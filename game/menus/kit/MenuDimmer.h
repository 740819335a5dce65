#pragma once
// The half-black veil the menu screens lay over the wide background: a 16 × 16 plane
// filled with 0x80000000, stretched over the whole 800 × 600 screen.
#include <cstdint>

#include "engine/draw/ImagePlane.h"

class CMenuDimmer {
public:
    static constexpr int32_t kSize = 16;
    static constexpr uint32_t kColour = 0x80000000u;

    // Creates and fills the plane; Restore does the same after a device reset.
    bool Load();
    bool Restore() { return Load(); }
    void Draw();
    bool IsLoaded() const { return m_Plane.IsLoaded(); }

private:
    CImagePlane m_Plane;
};
