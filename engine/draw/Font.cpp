#include "engine/draw/Font.h"

#include <algorithm>
#include <string>

#include "engine/base/Log.h"
#include "platform/font/FontFace.h"
#include "platform/gdi/GdiFont.h"

CFont::CFont(int32_t height, int32_t width) : m_Height(std::clamp(height, 1, 1024)), m_Width(std::clamp(width, 0, 1024)) {}

CFont::~CFont() = default;

void CFont::SetSize(int32_t height, int32_t width) {
    m_Height = std::clamp(height, 1, 1024);
    m_Width = std::clamp(width, 0, 1024);
    m_GdiFont.reset();
    ++m_Generation;
}

int32_t CFont::GetHalfWidth() const { return FontHalfWidth(m_Height, m_Width); }

CGdiFont* CFont::GetGdiFont() {
    if (!m_GdiFont) m_GdiFont = std::make_unique<CGdiFont>(m_Height, m_Width);
    return m_GdiFont.get();
}

bool CFont::IsAvailable() {
    CFontFace& face = CFontFace::Get();
    if (face.IsAvailable()) return true;
    const std::string error = face.TakeError();
    if (!error.empty()) {
        DebugPrintf("CFont::IsAvailable() フォントがありません[%s]", error.c_str());
    }
    return false;
}
