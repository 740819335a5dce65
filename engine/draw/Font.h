#pragma once
// A font of the drawing layer: the game's font at one size.  `height` is the
// character cell's height in pixels, `width` a half-width character's width (0: half
// the height, rounded up); a double-byte character takes two half-widths.
#include <cstdint>
#include <memory>

class CGdiFont;

class CFont {
public:
    explicit CFont(int32_t height = 16, int32_t width = 0);
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Height 1 to 1024 (other values are held to it), width 0 to 1024.
    void SetSize(int32_t height, int32_t width = 0);
    int32_t GetHeight() const { return m_Height; }
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHalfWidth() const;
    // Changes with every SetSize, so that text laid out with the font knows to redo it.
    uint32_t GetGeneration() const { return m_Generation; }

    // The font object to select into a device context (made on first use).
    CGdiFont* GetGdiFont();

    // Whether the font file is present.  A missing file is logged once per attempt
    // to open it; text then lays out on its cells but draws no glyphs.
    static bool IsAvailable();

private:
    int32_t m_Height;
    int32_t m_Width;
    uint32_t m_Generation = 0;
    std::unique_ptr<CGdiFont> m_GdiFont;
};
