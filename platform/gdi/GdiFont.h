#pragma once
// Fonts of our GDI memory layer: a font object to select into a device context, the
// outline (8-bit coverage) of one character in the selected font, and text written
// into a context's pixels.  Characters are Shift-JIS codes (a single byte, or
// lead << 8 | trail); the glyphs come from the game's font (platform/font).
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/font/FontFace.h"
#include "platform/gdi/Gdi.h"

class CGdiFont : public CGdiObject {
public:
    // `height`: the character cell's height in pixels; `width`: a half-width
    // character's width (0: half the height, rounded up).
    CGdiFont(int32_t height, int32_t width);
    ~CGdiFont() override;

    int32_t GetHeight() const { return m_Height; }
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHalfWidth() const { return FontHalfWidth(m_Height, m_Width); }
    // The cell width of a character code: one half-width for a single byte, two for a
    // double-byte code.
    int32_t GetCellWidth(uint32_t code) const { return code > 0xFF ? 2 * GetHalfWidth() : GetHalfWidth(); }

    // The glyph of a code, rendered once and kept.  Null when no font is available.
    const SGlyphImage* GetGlyph(uint32_t code);

private:
    int32_t m_Height;
    int32_t m_Width;
    std::unordered_map<uint32_t, SGlyphImage> m_Glyphs;
};

// The glyph of `code` in the font selected into `dc`, and the advance of its cell.
// False when no font is selected or the font file is missing.
bool GdiGetGlyphOutline(DCHandle dc, uint32_t code, const SGlyphImage** glyph, int32_t* cellWidth);

// Writes Shift-JIS text with its cells' top-left corner at (x, y) in the colour
// 0x00RRGGBB, each glyph blended over the pixels by its coverage, clipped to the
// context's pixels; '\n' starts a new line one cell height lower.  False when the
// context has no pixels or no font selected, or the font is missing.
bool GdiTextOut(DCHandle dc, int32_t x, int32_t y, const char* text, size_t length, uint32_t rgb);
