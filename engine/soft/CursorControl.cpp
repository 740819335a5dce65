#include "engine/soft/CursorControl.h"

#include <algorithm>
#include <cstring>

#include "engine/image/ImageFile.h"
#include "engine/soft/blit/SoftBlt.h"
#include "platform/gdi/Gdi.h"

namespace {

const char* const kCursorFiles[] = {"sys\\cursor.png", "sys\\cursor.bmp"};

// The arrow: '#' black edge, '.' white, ' ' transparent.
const char* const kArrow[CCursorControl::kArrowHeight] = {
    "#           ", "##          ", "#.#         ", "#..#        ", "#...#       ", "#....#      ", "#.....#     ",
    "#......#    ", "#.......#   ", "#........#  ", "#.........# ", "#......#####", "#...#..#    ", "#..# #..#   ",
    "#.#  #..#   ", "##    #..#  ", "#     #..#  ", "       #..# ", "        ##  ",
};

constexpr uint32_t kKeyColorRef = 0x00FF00;  // green reads the same as a COLORREF

}  // namespace

CCursorControl::CCursorControl() {
    m_Image.SetUseDirectDraw(false);
    m_Image.SetAutoRegister(false);
    m_Under.SetUseDirectDraw(false);
    m_Under.SetAutoRegister(false);
    for (const char* file : kCursorFiles) {
        CImageFile image;
        int32_t w = 0, h = 0;
        if (image.Open(file)) image.GetImageSize(&w, &h);
        if (w > 0 && h > 0 && w <= 256 && h <= 256) {
            m_File = file;
            m_FromFile = true;
            m_Width = w;
            m_Height = h;
            break;
        }
    }
    _PrepareImage(GdiGetDesktopBitsPerPixel());
}

CCursorControl::~CCursorControl() = default;

bool CCursorControl::IsVisible() const { return m_Image.IsCreated(); }

void CCursorControl::GetSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_Width;
    if (height) *height = m_Height;
}

bool CCursorControl::_PrepareImage(int depth) {
    if (m_Image.IsCreated() && m_Image.GetBitDepth() == depth) return true;
    if (m_File && m_Image.LoadFromFile(m_File, depth, false)) {
        m_Image.SetColorKey(kKeyColorRef);
        m_Image.SetColorKeyEnabled(true);
        return true;
    }
    _MakeArrow(depth);
    return m_Image.IsCreated();
}

void CCursorControl::_MakeArrow(int depth) {
    if (!m_Image.Create(kArrowWidth, kArrowHeight, depth, false)) return;
    m_Width = kArrowWidth;
    m_Height = kArrowHeight;
    m_Image.Clear(kKeyColorRef);
    for (int y = 0; y < kArrowHeight; ++y) {
        for (int x = 0; x < kArrowWidth; ++x) {
            if (kArrow[y][x] == '#') m_Image.SetPixel(x, y, 0x000000);
            if (kArrow[y][x] == '.') m_Image.SetPixel(x, y, 0xFFFFFF);
        }
    }
    m_Image.SetColorKey(kKeyColorRef);
    m_Image.SetColorKeyEnabled(true);
}

void CCursorControl::DrawTo(CSoftSurface* surface, int32_t x, int32_t y) {
    if (m_Drawn && m_DrawnOn) RestoreUnder(m_DrawnOn);
    if (!surface || !surface->IsCreated()) return;
    if (!_PrepareImage(surface->GetBitDepth())) return;
    int32_t sw = 0, sh = 0;
    surface->GetSize(&sw, &sh);
    // The covered area, in 64 bits: the position may be anything.
    const int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
    const int64_t r = std::min<int64_t>(int64_t{x} + m_Width, sw), b = std::min<int64_t>(int64_t{y} + m_Height, sh);
    if (r <= l || b <= t) return;
    const SRect under{static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(r), static_cast<int32_t>(b)};
    const int depth = surface->GetBitDepth();
    if ((!m_Under.IsCreated() || m_Under.GetBitDepth() != depth) && !m_Under.Create(m_Width, m_Height, depth, false)) {
        return;
    }
    {
        CSurfaceLock source(surface);
        CSurfaceLock keep(&m_Under);
        if (!source.locked || !keep.locked || !surface->GetBits() || !m_Under.GetBits()) return;
        const size_t bytes = static_cast<size_t>(under.Width()) * static_cast<size_t>(BytesPerPixel(depth));
        for (int32_t row = 0; row < under.Height(); ++row) {
            std::memcpy(m_Under.GetBits() + static_cast<intptr_t>(row) * m_Under.GetPitch(),
                        surface->GetBits() + static_cast<intptr_t>(under.top + row) * surface->GetPitch() +
                            static_cast<intptr_t>(under.left) * BytesPerPixel(depth),
                        bytes);
        }
    }
    m_UnderRect = under;
    m_Drawn = true;
    m_DrawnOn = surface;
    // The dispatcher itself: a cursor drawn for one copy is no change of the picture
    // and must not reach the frame buffer's dirty list.
    const SPoint at{x, y};
    const SRect imageRect{0, 0, m_Width, m_Height};
    const SRect clip{0, 0, sw, sh};
    SoftBlt(surface, &m_Image, &at, &imageRect, &clip, 255, 0);
}

void CCursorControl::RestoreUnder(CSoftSurface* surface) {
    if (!m_Drawn || !surface) return;
    m_Drawn = false;
    m_DrawnOn = nullptr;
    if (!surface->IsCreated() || surface->GetBitDepth() != m_Under.GetBitDepth()) return;
    int32_t sw = 0, sh = 0;
    surface->GetSize(&sw, &sh);
    if (m_UnderRect.right > sw || m_UnderRect.bottom > sh) return;
    CSurfaceLock dest(surface);
    CSurfaceLock keep(&m_Under);
    if (!dest.locked || !keep.locked || !surface->GetBits() || !m_Under.GetBits()) return;
    const int bpp = BytesPerPixel(surface->GetBitDepth());
    const size_t bytes = static_cast<size_t>(m_UnderRect.Width()) * static_cast<size_t>(bpp);
    for (int32_t row = 0; row < m_UnderRect.Height(); ++row) {
        std::memcpy(surface->GetBits() + static_cast<intptr_t>(m_UnderRect.top + row) * surface->GetPitch() +
                        static_cast<intptr_t>(m_UnderRect.left) * bpp,
                    m_Under.GetBits() + static_cast<intptr_t>(row) * m_Under.GetPitch(), bytes);
    }
}
