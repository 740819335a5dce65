#include "tests/engine/soft/stretch/StretchTestSurface.h"

#include <algorithm>
#include <cstring>

namespace stretch_test {

namespace {
int g_NextId = 1;
}

std::vector<std::pair<int, int>>& CStretchTestSurface::LockLog() {
    static std::vector<std::pair<int, int>> log;
    return log;
}

CStretchTestSurface::CStretchTestSurface(int width, int height, int depth, int pitch)
    : m_Width(width), m_Height(height), m_Depth(depth), m_Id(g_NextId++) {
    m_Pitch = pitch > 0 ? pitch : RoundPitch(int64_t{width} * BytesPerPixel(depth));
    m_Bits.assign(PixelAreaSize() + kGuardBytes, 0);
    std::fill(m_Bits.begin() + static_cast<ptrdiff_t>(PixelAreaSize()), m_Bits.end(), kGuardValue);
}

void CStretchTestSurface::MakeAlphaPlane(int alphaPitch) {
    m_AlphaPitch = alphaPitch > 0 ? alphaPitch : RoundPitch(m_Width);
    m_Alpha.assign(AlphaAreaSize() + kGuardBytes, 0);
    std::fill(m_Alpha.begin() + static_cast<ptrdiff_t>(AlphaAreaSize()), m_Alpha.end(), kGuardValue);
}

void CStretchTestSurface::SetAlphaEnabled(bool enabled) {
    if (enabled && m_Alpha.empty()) {
        MakeAlphaPlane();
    }
    m_AlphaEnabled = enabled;
}

int32_t CStretchTestSurface::GetFormatFlags() const {
    if (m_ForceFlags) {
        return m_ForcedFlags;
    }
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
    return kind | index << 2;
}

bool CStretchTestSurface::Lock() {
    if (m_LockFails) {
        return false;
    }
    LockLog().emplace_back(m_Id, +1);
    return true;
}

void CStretchTestSurface::Unlock() { LockLog().emplace_back(m_Id, -1); }

bool CStretchTestSurface::GuardsIntact() const {
    auto intact = [](const std::vector<uint8_t>& v, size_t from) {
        return std::all_of(v.begin() + static_cast<ptrdiff_t>(from), v.end(),
                           [](uint8_t b) { return b == kGuardValue; });
    };
    return intact(m_Bits, PixelAreaSize()) && (m_Alpha.empty() || intact(m_Alpha, AlphaAreaSize()));
}

uint32_t CStretchTestSurface::Raw(int x, int y) const {
    const int bytes = BytesPerPixel(m_Depth);
    uint32_t v = 0;
    std::memcpy(&v, m_Bits.data() + size_t(y) * size_t(m_Pitch) + size_t(x) * size_t(bytes), size_t(bytes));
    return v;
}

void CStretchTestSurface::SetRaw(int x, int y, uint32_t value) {
    const int bytes = BytesPerPixel(m_Depth);
    std::memcpy(m_Bits.data() + size_t(y) * size_t(m_Pitch) + size_t(x) * size_t(bytes), &value, size_t(bytes));
}

}  // namespace stretch_test
