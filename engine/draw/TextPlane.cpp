#include "engine/draw/TextPlane.h"

#include "engine/draw/TextLayout.h"
#include "engine/draw/TextSurface.h"

CTextPlane::CTextPlane() = default;
CTextPlane::~CTextPlane() = default;

bool CTextPlane::Write(const std::string& text, int32_t style, uint32_t rgb) {
    Release();
    m_Text = text;
    m_Style = style;
    m_Rgb = rgb & 0xFFFFFF;
    const STextLayout layout = CTextLayout::Layout(text, m_Font.GetHalfWidth(), m_Font.GetHeight());
    if (layout.chars.empty() || layout.width <= 0 || !CFont::IsAvailable()) {
        return false;
    }
    const int32_t margin = CTextSurface::StyleMargin(style);
    CTextSurface surface;
    if (!surface.Prepare(layout.width + margin, layout.height + margin)) return false;
    surface.DrawLayout(m_Font, layout, 0, 0, m_Rgb, style);
    return TextSurfaceToPlane(surface, this);
}

void CTextPlane::Clear() {
    Release();
    m_Text.clear();
}

bool CTextPlane::Draw(int32_t x, int32_t y, uint32_t colour) { return CImagePlane::Draw(x, y, colour); }
