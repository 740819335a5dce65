#include "platform/font/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#ifdef PG_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

constexpr const char* kKnownPath = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

CFontFace& CFontFace::Get() {
    static CFontFace face;
    return face;
}

CFontFace::~CFontFace() { _Close(); }

std::string CFontFace::_Find() {
#ifdef PG_HAVE_FONTCONFIG
    std::string found;
    if (FcConfig* config = FcInitLoadConfigAndFonts()) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("IPAGothic"));
        if (pattern) {
            FcConfigSubstitute(config, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result = FcResultNoMatch;
            if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
                // Only the fixed-pitch IPA Gothic itself: a stand-in of another family (or the
                // proportional IPA P Gothic) would not fit the cell grid.
                bool isIpaGothic = false;
                FcChar8* family = nullptr;
                for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
                    if (family && std::string(reinterpret_cast<const char*>(family)) == "IPAGothic") isIpaGothic = true;
                }
                FcChar8* file = nullptr;
                if (isIpaGothic && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                    found = reinterpret_cast<const char*>(file);
                }
                FcPatternDestroy(match);
            }
            FcPatternDestroy(pattern);
        }
        FcConfigDestroy(config);
    }
    if (FileExists(found)) return found;
#endif
    return FileExists(kKnownPath) ? kKnownPath : std::string();
}

bool CFontFace::_Open() {
    if (m_Face) return true;
    if (m_Tried) return false;
    m_Tried = true;
    std::string path = m_Override.empty() ? _Find() : m_Override;
    if (path.empty() || !FileExists(path)) {
        m_Error = "font file not found: " + (path.empty() ? std::string(kKnownPath) : path) +
                  " (install fonts-ipafont-gothic)";
        return false;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        m_Error = "FreeType cannot be initialised";
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        m_Error = "font file cannot be opened: " + path;
        FT_Done_FreeType(library);
        return false;
    }
    m_Library = library;
    m_Face = face;
    m_Path = path;
    return true;
}

void CFontFace::_Close() {
    if (m_Face) FT_Done_Face(static_cast<FT_Face>(m_Face));
    if (m_Library) FT_Done_FreeType(static_cast<FT_Library>(m_Library));
    m_Face = nullptr;
    m_Library = nullptr;
    m_Path.clear();
}

bool CFontFace::IsAvailable() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return _Open();
}

std::string CFontFace::TakeError() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::string e;
    e.swap(m_Error);
    return e;
}

std::string CFontFace::GetPath() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    _Open();
    return m_Path;
}

void CFontFace::SetFontFile(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    _Close();
    m_Override = path;
    m_Tried = false;
    m_Error.clear();
}

bool CFontFace::RenderGlyph(uint32_t codePoint, int32_t height, int32_t width, SGlyphImage* out) {
    *out = SGlyphImage{};
    if (height <= 0 || height > 1024 || width < 0 || width > 1024) return false;
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!_Open()) return false;
    FT_Face face = static_cast<FT_Face>(m_Face);
    const int32_t half = FontHalfWidth(height, width);
    // The em square fills the cell: its height is the cell's, its width two half-widths.
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(2 * half), static_cast<FT_UInt>(height)) != 0) return false;
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    // Baseline: the ascender's share of the em, so that ascender + descender span the cell.
    const double asc = face->ascender, desc = -static_cast<double>(face->descender);
    const int32_t baseline = asc + desc > 0 ? static_cast<int32_t>(std::lround(height * asc / (asc + desc))) : height;
    out->left = slot->bitmap_left;
    out->top = baseline - slot->bitmap_top;
    out->width = static_cast<int32_t>(bm.width);
    out->height = static_cast<int32_t>(bm.rows);
    out->coverage.assign(static_cast<size_t>(out->width) * static_cast<size_t>(out->height), 0);
    for (int32_t y = 0; y < out->height; ++y) {
        const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int32_t x = 0; x < out->width; ++x) {
            uint8_t v;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            } else {
                v = row[x];
            }
            out->coverage[static_cast<size_t>(y) * static_cast<size_t>(out->width) + static_cast<size_t>(x)] = v;
        }
    }
    return true;
}
