#include "tests/engine/soft/blit/TestSurface.h"

#include <algorithm>

namespace {
int g_NextId = 1;
}

std::vector<std::pair<int, int>>& CTestSurface::LockLog() {
    static std::vector<std::pair<int, int>> log;
    return log;
}

CTestSurface::CTestSurface(int width, int height, int depth, int pitch)
    : m_Width(width), m_Height(height), m_Depth(depth), m_Id(g_NextId++) {
    m_Pitch = pitch > 0 ? pitch : RoundPitch(int64_t{width} * BytesPerPixel(depth));
    m_Bits.assign(PixelAreaSize() + kGuardBytes, 0);
    std::fill(m_Bits.begin() + static_cast<ptrdiff_t>(PixelAreaSize()), m_Bits.end(), kGuardValue);
}

void CTestSurface::MakeAlphaPlane(int alphaPitch) {
    m_AlphaPitch = alphaPitch > 0 ? alphaPitch : RoundPitch(m_Width);
    m_Alpha.assign(AlphaAreaSize() + kGuardBytes, 0);
    std::fill(m_Alpha.begin() + static_cast<ptrdiff_t>(AlphaAreaSize()), m_Alpha.end(), kGuardValue);
}

void CTestSurface::SetAlphaEnabled(bool enabled) {
    if (enabled && m_Alpha.empty()) {
        MakeAlphaPlane();
    }
    m_AlphaEnabled = enabled;
}

int32_t CTestSurface::GetFormatFlags() const {
    const int index = DepthToIndex(m_Depth);
    if (index < 0) {
        return SURFACE_FLAGS_NOT_CREATED;
    }
    int kind = SURFACE_KIND_OPAQUE;
    if (m_AlphaEnabled && HasAlphaPlane()) {
        kind = SURFACE_KIND_ALPHA;
    } else if (m_ColorKeyEnabled) {
        kind = SURFACE_KIND_COLORKEY;
    }
    return kind | index << 2 | m_ExtraFlags;
}

bool CTestSurface::Lock() {
    if (m_LockFails) {
        return false;
    }
    ++m_LockCount;
    LockLog().emplace_back(m_Id, +1);
    return true;
}

void CTestSurface::Unlock() {
    ++m_UnlockCount;
    LockLog().emplace_back(m_Id, -1);
}

bool CTestSurface::GuardsIntact() const {
    auto intact = [](const std::vector<uint8_t>& v, size_t from) {
        return std::all_of(v.begin() + static_cast<ptrdiff_t>(from), v.end(),
                           [](uint8_t b) { return b == kGuardValue; });
    };
    return intact(m_Bits, PixelAreaSize()) && (m_Alpha.empty() || intact(m_Alpha, AlphaAreaSize()));
}
