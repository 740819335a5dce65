#pragma once
// The game's font: IPA Gothic (Debian's fonts-ipafont-gothic), found through
// fontconfig or at its known path, rendered by FreeType into 8-bit coverage.
//
// Sizes follow the desktop font model the engine was written against: `height` is
// the height of a character cell in pixels and `width` the width of a half-width
// character (0: half the height, rounded up); a full-width character is two
// half-widths wide.  The font is fixed-pitch, so the cell grid is the layout.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// One rendered glyph.  The bitmap's top-left corner lies at (left, top) from the
// top-left corner of the character's cell.
struct SGlyphImage {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;  // width × height, 0 (none) to 255 (full)
};

class CFontFace {
public:
    // The process-wide face.
    static CFontFace& Get();

    // True once the font file has been opened.  The file is looked for once; after a
    // failure GetError says why (the engine logs it).
    bool IsAvailable();
    // The reason of the last failure to open the font, handed out once (empty after).
    std::string TakeError();
    // The file in use (empty when none).
    std::string GetPath();
    // Renders the glyph of a code point into a cell of the given size.  False (and an
    // empty image) when no font is available or the size is not positive; a code
    // point the font lacks renders the font's missing-glyph box.
    bool RenderGlyph(uint32_t codePoint, int32_t height, int32_t width, SGlyphImage* out);

    // Makes the face use this file instead of searching (tests point it at a file that
    // does not exist to check the missing-font path); an empty path searches again.
    // The current face is closed.
    void SetFontFile(const std::string& path);

    ~CFontFace();
    CFontFace(const CFontFace&) = delete;
    CFontFace& operator=(const CFontFace&) = delete;

private:
    CFontFace() = default;
    bool _Open();
    void _Close();
    static std::string _Find();

    std::mutex m_Mutex;
    void* m_Library = nullptr;  // FT_Library
    void* m_Face = nullptr;     // FT_Face
    std::string m_Path;
    std::string m_Override;
    std::string m_Error;
    bool m_Tried = false;
};

// The half-width advance of a size (see above).
inline int32_t FontHalfWidth(int32_t height, int32_t width) { return width > 0 ? width : (height + 1) / 2; }
