#include "tests/engine/soft/support/TestSurface.h"

#include <algorithm>
#include <cstring>

namespace {
int g_NextId = 1;

// A buffer of `area` bytes of `fill` followed by `guardBytes` bytes of `guardValue`.
std::vector<uint8_t> _GuardedBuffer(size_t area, uint8_t fill, int guardBytes, uint8_t guardValue) {
    std::vector<uint8_t> bytes(area + static_cast<size_t>(guardBytes), guardValue);
    std::fill(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(area), fill);
    return bytes;
}
}  // namespace

std::vector<std::pair<int, int>>& CTestSurface::LockLog() {
    static std::vector<std::pair<int, int>> log;
    return log;
}

CTestSurface::CTestSurface(int width, int height, int depth, int pitch)
    : CTestSurface(width, height, depth, STestSurfaceOptions{.pitch = pitch}) {}

CTestSurface::CTestSurface(int width, int height, int depth, const STestSurfaceOptions& options)
    : m_Width(width),
      m_Height(height),
      m_Depth(depth),
      m_GuardBytes(std::max(options.guardBytes, 0)),
      m_GuardValue(options.guardValue),
      m_Record(options.record),
      m_Id(g_NextId++) {
    m_Pitch = options.pitch > 0 ? options.pitch : RoundPitch(int64_t{width} * BytesPerPixel(depth));
    m_Bits = _GuardedBuffer(PixelAreaSize(), options.fill, m_GuardBytes, m_GuardValue);
}

void CTestSurface::MakeAlphaPlane(int alphaPitch, uint8_t fill) {
    m_AlphaPitch = alphaPitch > 0 ? alphaPitch : RoundPitch(m_Width);
    m_Alpha = _GuardedBuffer(AlphaAreaSize(), fill, m_GuardBytes, m_GuardValue);
}

void CTestSurface::SetAlphaEnabled(bool enabled) {
    if (enabled && m_Alpha.empty()) {
        MakeAlphaPlane();
    }
    m_AlphaEnabled = enabled;
}

int32_t CTestSurface::GetFormatFlags() const {
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
    return kind | index << 2 | m_ExtraFlags;
}

bool CTestSurface::Lock() {
    if (m_LockFails) {
        return false;
    }
    ++m_LockCount;
    if (m_Record) {
        LockLog().emplace_back(m_Id, +1);
    }
    return true;
}

void CTestSurface::Unlock() {
    ++m_UnlockCount;
    if (m_Record) {
        LockLog().emplace_back(m_Id, -1);
    }
}

void CTestSurface::OnStretchBlt(CSoftSurface* source, const SRect* destRect, const SRect* sourceRect,
                                const SRect* clip, int opacity, uint32_t, SRect drawn) {
    if (m_Record) {
        stretchNotes.push_back(SStretchNote{source, destRect ? *destRect : SRect{}, sourceRect ? *sourceRect : SRect{},
                                            clip ? *clip : SRect{}, opacity, drawn});
    }
}

void CTestSurface::OnBlt(CSoftSurface* source, const SPoint*, const SRect*, const SRect*, int, uint32_t, SRect drawn) {
    if (m_Record) {
        notes.push_back(SBltNote{source, drawn});
    }
}

bool CTestSurface::GuardsIntact() const {
    const uint8_t guard = m_GuardValue;
    auto intact = [guard](const std::vector<uint8_t>& v, size_t from) {
        return std::all_of(v.begin() + static_cast<ptrdiff_t>(from), v.end(),
                           [guard](uint8_t b) { return b == guard; });
    };
    return intact(m_Bits, PixelAreaSize()) && (m_Alpha.empty() || intact(m_Alpha, AlphaAreaSize()));
}

uint32_t CTestSurface::Raw(int x, int y) const {
    const int bytes = BytesPerPixel(m_Depth);
    uint32_t v = 0;
    std::memcpy(&v, m_Bits.data() + size_t(y) * size_t(m_Pitch) + size_t(x) * size_t(bytes), size_t(bytes));
    return v;
}

void CTestSurface::SetRaw(int x, int y, uint32_t value) {
    const int bytes = BytesPerPixel(m_Depth);
    std::memcpy(m_Bits.data() + size_t(y) * size_t(m_Pitch) + size_t(x) * size_t(bytes), &value, size_t(bytes));
}
