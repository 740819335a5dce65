#include "platform/gdi/GdiFont.h"

#include <algorithm>

#include "platform/sys/SjisCodec.h"

CGdiFont::CGdiFont(int32_t height, int32_t width)
    : CGdiObject(EKind::Font), m_Height(std::clamp(height, 1, 1024)), m_Width(std::clamp(width, 0, 1024)) {}

CGdiFont::~CGdiFont() = default;

const SGlyphImage* CGdiFont::GetGlyph(uint32_t code) {
    auto it = m_Glyphs.find(code);
    if (it != m_Glyphs.end()) return &it->second;
    SGlyphImage image;
    if (!CFontFace::Get().RenderGlyph(SjisCodeToCodePoint(code), m_Height, m_Width, &image)) {
        return nullptr;
    }
    return &m_Glyphs.emplace(code, std::move(image)).first->second;
}

bool GdiGetGlyphOutline(DCHandle dc, uint32_t code, const SGlyphImage** glyph, int32_t* cellWidth) {
    if (!dc) return false;
    auto* font = static_cast<CGdiFont*>(dc->GetSelected(CGdiObject::EKind::Font));
    if (!font) return false;
    if (cellWidth) *cellWidth = font->GetCellWidth(code);
    const SGlyphImage* g = font->GetGlyph(code);
    if (glyph) *glyph = g;
    return g != nullptr;
}

bool GdiTextOut(DCHandle dc, int32_t x, int32_t y, const char* text, size_t length, uint32_t rgb) {
    if (!dc || (!text && length > 0)) return false;
    auto* font = static_cast<CGdiFont*>(dc->GetSelected(CGdiObject::EKind::Font));
    const SGdiPixels px = dc->GetPixels();
    if (!font || !px.IsValid() || !CFontFace::Get().IsAvailable()) return false;
    const int bytesPerPixel = (GdiBitsPerPixel(px.format) + 7) / 8;
    const uint32_t fr = (rgb >> 16) & 0xFF, fg = (rgb >> 8) & 0xFF, fb = rgb & 0xFF;
    // The pen in 64 bits: a far start or many lines must not wrap back into the pixels.
    int64_t penX = x, penY = y;
    SRect changed{px.width, px.height, 0, 0};
    for (size_t pos = 0; pos < length;) {
        const size_t n = SjisCharLength(text, length, pos);
        uint32_t code = static_cast<uint8_t>(text[pos]);
        if (n == 2) code = (code << 8) | static_cast<uint8_t>(text[pos + 1]);
        pos += n;
        if (code == '\n') {
            penX = x;
            penY += font->GetHeight();
            continue;
        }
        const SGlyphImage* g = font->GetGlyph(code);
        if (g) {
            for (int32_t gy = 0; gy < g->height; ++gy) {
                const int64_t py64 = penY + g->top + gy;
                if (py64 < 0 || py64 >= px.height) continue;
                const int32_t py = static_cast<int32_t>(py64);
                uint8_t* row = px.Row(py);
                for (int32_t gx = 0; gx < g->width; ++gx) {
                    const int64_t pxX64 = penX + g->left + gx;
                    if (pxX64 < 0 || pxX64 >= px.width) continue;
                    const int32_t pxX = static_cast<int32_t>(pxX64);
                    const uint32_t a = g->coverage[static_cast<size_t>(gy) * static_cast<size_t>(g->width) + static_cast<size_t>(gx)];
                    if (a == 0) continue;
                    uint8_t* p = row + static_cast<ptrdiff_t>(pxX) * bytesPerPixel;
                    const uint32_t under = GdiReadPixel(p, px.format);
                    const uint32_t ur = (under >> 16) & 0xFF, ug = (under >> 8) & 0xFF, ub = under & 0xFF;
                    const uint32_t r = (fr * a + ur * (255 - a) + 127) / 255;
                    const uint32_t gg = (fg * a + ug * (255 - a) + 127) / 255;
                    const uint32_t b = (fb * a + ub * (255 - a) + 127) / 255;
                    GdiWritePixel(p, px.format, (r << 16) | (gg << 8) | b);
                    changed.left = std::min(changed.left, pxX);
                    changed.top = std::min(changed.top, py);
                    changed.right = std::max(changed.right, pxX + 1);
                    changed.bottom = std::max(changed.bottom, py + 1);
                }
            }
        }
        penX += font->GetCellWidth(code);
    }
    if (changed.right > changed.left && changed.bottom > changed.top) dc->OnPixelsChanged(changed);
    return true;
}
