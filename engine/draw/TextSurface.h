#pragma once
// A software surface that text is written into: a 32-bit DIB section with an alpha
// plane, transparent when prepared.  Glyphs come through the surface's device context
// (the font selected into it) and are laid over what is there by their coverage, so
// that a shadow drawn first stays under the letters.  The image planes take the
// result as A8R8G8B8 pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/draw/TextLayout.h"
#include "engine/soft/SoftSurfaceProxy.h"

class CFont;

// Text style bits.  8: a one-pixel black shadow to the lower right of every glyph.
enum ETextStyle : int32_t { TEXT_STYLE_SHADOW = 8 };

class CTextSurface : public CSoftSurfaceProxy {
public:
    CTextSurface();
    ~CTextSurface() override;

    // A transparent surface of the size (false and logged for a size outside 1 to 4096).
    bool Prepare(int32_t width, int32_t height);
    // Writes the laid-out characters with the layout's origin at (x, y), in the colour
    // 0x00RRGGBB with the style.  False when the surface is not prepared or the font
    // is missing (nothing is drawn then).
    bool DrawLayout(CFont& font, const STextLayout& layout, int32_t x, int32_t y, uint32_t rgb, int32_t style);
    // One character code with its cell's top-left corner at (x, y).
    bool DrawChar(CFont& font, uint32_t code, int32_t x, int32_t y, uint32_t rgb, int32_t style);
    // The pixels as A8R8G8B8, top row first, width × height.
    bool GetArgb(std::vector<uint32_t>* out);

    // Extra pixels a style needs right of and below each cell.
    static int32_t StyleMargin(int32_t style) { return (style & TEXT_STYLE_SHADOW) ? 1 : 0; }

private:
    void _Blend(const void* glyph, int32_t x, int32_t y, uint32_t rgb);
};

class CImagePlane;
// Gives a plane the surface's picture (the plane is made the surface's size).
bool TextSurfaceToPlane(CTextSurface& surface, CImagePlane* plane);
