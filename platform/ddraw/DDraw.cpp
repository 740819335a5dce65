#include "platform/ddraw/DDraw.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "platform/gdi/GdiDisplay.h"

const SDDGuid CLSID_DirectDraw{0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const SDDGuid IID_IDirectDraw7{0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

namespace {

constexpr size_t kMaxSurfaceBytes = size_t{512} << 20;

std::mutex g_FaultMutex;
SDDrawFaults g_Faults;
std::atomic<uint64_t> g_ExtraLosses{0};
std::atomic<int> g_Objects{0};
std::atomic<int> g_Surfaces{0};

SDDrawFaults Faults() {
    std::lock_guard<std::mutex> lock(g_FaultMutex);
    return g_Faults;
}

// Every display change and every injected loss moves this on.
uint64_t LossEpoch() { return GdiGetDisplayChangeCount() + g_ExtraLosses.load(); }

SDDPixelFormat MakeFormat(uint32_t bits, uint32_t r, uint32_t g, uint32_t b) {
    SDDPixelFormat f;
    f.flags = DDPF_RGB;
    f.rgbBitCount = bits;
    f.redMask = r;
    f.greenMask = g;
    f.blueMask = b;
    return f;
}

SDDPixelFormat DisplayFormat(const SDDrawFaults& faults) {
    switch (GdiGetDesktopBitsPerPixel()) {
    case 15: return MakeFormat(16, 0x7C00, 0x03E0, 0x001F);
    case 16:
        return faults.display555 ? MakeFormat(16, 0x7C00, 0x03E0, 0x001F) : MakeFormat(16, 0xF800, 0x07E0, 0x001F);
    case 24: return MakeFormat(24, 0xFF0000, 0x00FF00, 0x0000FF);
    default: return MakeFormat(32, 0xFF0000, 0x00FF00, 0x0000FF);
    }
}

// The memory layer's format of a pixel format; None for the odd ones.
EGdiPixelFormat GdiFormatOf(const SDDPixelFormat& f) {
    if (f.rgbBitCount == 16 && f.redMask == 0x7C00 && f.greenMask == 0x03E0 && f.blueMask == 0x001F) return EGdiPixelFormat::X1R5G5B5;
    if (f.rgbBitCount == 16 && f.redMask == 0xF800 && f.greenMask == 0x07E0 && f.blueMask == 0x001F) return EGdiPixelFormat::R5G6B5;
    const bool rgb = f.redMask == 0xFF0000 && f.greenMask == 0x00FF00 && f.blueMask == 0x0000FF;
    if (f.rgbBitCount == 24 && rgb) return EGdiPixelFormat::B8G8R8;
    if (f.rgbBitCount == 32 && rgb) return EGdiPixelFormat::B8G8R8X8;
    return EGdiPixelFormat::None;
}

bool KnownRequest(const SDDPixelFormat& f) {
    return (f.flags & DDPF_RGB) && GdiFormatOf(f) != EGdiPixelFormat::None;
}

// A context drawing into a surface's memory.
class CSurfaceDC : public CGdiDC {
public:
    explicit CSurfaceDC(const SGdiPixels& pixels) : m_Pixels(pixels) {}
    SGdiPixels GetPixels() const override { return m_Pixels; }

private:
    SGdiPixels m_Pixels;
};

}  // namespace

struct SDDSurfaceState {
    std::vector<uint8_t> memory;
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t pitch = 0;
    SDDPixelFormat format;
    uint32_t caps = 0;
    SDDColorKey key;
    bool hasKey = false;
    bool locked = false;
    std::unique_ptr<CSurfaceDC> dc;
    uint64_t epoch = 0;
};

const char* DDResultName(DDResult r) {
    switch (r) {
    case DD_OK: return "DD_OK";
    case DD_FALSE: return "DD_FALSE";
    case DDERR_GENERIC: return "DDERR_GENERIC";
    case DDERR_INVALIDPARAMS: return "DDERR_INVALIDPARAMS";
    case DDERR_OUTOFMEMORY: return "DDERR_OUTOFMEMORY";
    case DDERR_CLASSNOTREGISTERED: return "REGDB_E_CLASSNOTREG";
    case DDERR_NOINTERFACE: return "E_NOINTERFACE";
    case DDERR_NODIRECTDRAWHW: return "DDERR_NODIRECTDRAWHW";
    case DDERR_NOTINITIALIZED: return "DDERR_NOTINITIALIZED";
    case DDERR_ALREADYINITIALIZED: return "DDERR_ALREADYINITIALIZED";
    case DDERR_NOEXCLUSIVEMODE: return "DDERR_NOEXCLUSIVEMODE";
    case DDERR_UNSUPPORTEDMODE: return "DDERR_UNSUPPORTEDMODE";
    case DDERR_OUTOFVIDEOMEMORY: return "DDERR_OUTOFVIDEOMEMORY";
    case DDERR_INVALIDPIXELFORMAT: return "DDERR_INVALIDPIXELFORMAT";
    case DDERR_INVALIDRECT: return "DDERR_INVALIDRECT";
    case DDERR_SURFACELOST: return "DDERR_SURFACELOST";
    case DDERR_SURFACEBUSY: return "DDERR_SURFACEBUSY";
    case DDERR_NOTLOCKED: return "DDERR_NOTLOCKED";
    case DDERR_DCALREADYCREATED: return "DDERR_DCALREADYCREATED";
    case DDERR_CANTCREATEDC: return "DDERR_CANTCREATEDC";
    case DDERR_NOTFOUND: return "DDERR_NOTFOUND";
    default: return "DDERR_UNKNOWN";
    }
}

// --- clipper ---------------------------------------------------------------------

CPlatformDDClipper::~CPlatformDDClipper() = default;

DDResult CPlatformDDClipper::SetHWnd(uint32_t, WindowHandle window) {
    if (Faults().failClipperSetHWnd) return DDERR_GENERIC;
    if (!window) return DDERR_INVALIDPARAMS;
    m_Window = window;
    return DD_OK;
}

// --- surface ---------------------------------------------------------------------

CPlatformDDSurface::CPlatformDDSurface() : m_State(std::make_unique<SDDSurfaceState>()) { ++g_Surfaces; }

CPlatformDDSurface::~CPlatformDDSurface() { --g_Surfaces; }

bool CPlatformDDSurface::IsVideoMemory() const { return (m_State->caps & DDSCAPS_VIDEOMEMORY) != 0; }

bool CPlatformDDSurface::_Lost() const { return IsVideoMemory() && m_State->epoch != LossEpoch(); }

DDResult CPlatformDDSurface::GetSurfaceDesc(SDDSurfaceDesc* desc) const {
    if (!desc || desc->size != 124) return DDERR_INVALIDPARAMS;
    if (Faults().failGetSurfaceDesc) return DDERR_GENERIC;
    const SDDSurfaceState& s = *m_State;
    desc->flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->width = s.width;
    desc->height = s.height;
    desc->pitch = s.pitch;
    desc->surface = nullptr;
    desc->srcBltKey = s.key;
    desc->pixelFormat = s.format;
    desc->caps = s.caps;
    return DD_OK;
}

DDResult CPlatformDDSurface::Lock(const SRect* rect, SDDSurfaceDesc* desc, uint32_t, void*) {
    if (!desc || desc->size != 124 || rect) return DDERR_INVALIDPARAMS;
    if (Faults().failLock) return DDERR_GENERIC;
    if (_Lost()) return DDERR_SURFACELOST;
    SDDSurfaceState& s = *m_State;
    if (s.locked || s.dc) return DDERR_SURFACEBUSY;
    GetSurfaceDesc(desc);
    desc->flags |= DDSD_LPSURFACE;
    desc->surface = s.memory.data();
    s.locked = true;
    return DD_OK;
}

DDResult CPlatformDDSurface::Unlock(const SRect*) {
    if (!m_State->locked) return DDERR_NOTLOCKED;
    m_State->locked = false;
    return DD_OK;
}

DDResult CPlatformDDSurface::GetDC(DCHandle* dc) {
    if (!dc) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (Faults().failGetDC) return DDERR_CANTCREATEDC;
    if (_Lost()) return DDERR_SURFACELOST;
    SDDSurfaceState& s = *m_State;
    if (s.dc) return DDERR_DCALREADYCREATED;
    if (s.locked) return DDERR_SURFACEBUSY;
    const EGdiPixelFormat format = GdiFormatOf(s.format);
    if (format == EGdiPixelFormat::None) return DDERR_CANTCREATEDC;
    SGdiPixels p;
    p.bits = s.memory.data();
    p.pitch = s.pitch;
    p.width = static_cast<int32_t>(s.width);
    p.height = static_cast<int32_t>(s.height);
    p.format = format;
    s.dc = std::make_unique<CSurfaceDC>(p);
    *dc = s.dc.get();
    return DD_OK;
}

DDResult CPlatformDDSurface::ReleaseDC(DCHandle dc) {
    if (!dc || dc != m_State->dc.get()) return DDERR_INVALIDPARAMS;
    m_State->dc.reset();
    return DD_OK;
}

DDResult CPlatformDDSurface::SetColorKey(uint32_t flags, const SDDColorKey* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    if (key) {
        m_State->key = *key;
        m_State->hasKey = true;
    } else {
        m_State->key = SDDColorKey{};
        m_State->hasKey = false;
    }
    return DD_OK;
}

DDResult CPlatformDDSurface::GetColorKey(uint32_t flags, SDDColorKey* key) const {
    if (!key || !(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    if (!m_State->hasKey) return DDERR_NOTFOUND;
    *key = m_State->key;
    return DD_OK;
}

namespace {

uint32_t ReadRaw(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    std::memcpy(&v, p, static_cast<size_t>(bytes));
    return v;
}

bool InSurface(const SRect& r, const SDDSurfaceState& s) {
    return r.left >= 0 && r.top >= 0 && r.right <= static_cast<int32_t>(s.width) &&
           r.bottom <= static_cast<int32_t>(s.height) && !r.IsEmpty();
}

// Nearest-neighbour copy of `sr` of `src` into `dr` of `dst` (same format, rectangles
// inside both), leaving pixels equal to the key untouched when `useKey`.
void CopyBlock(SDDSurfaceState& dst, const SRect& dr, const SDDSurfaceState& src, const SRect& sr, bool useKey) {
    const int bpp = static_cast<int>(src.format.rgbBitCount / 8);
    const uint32_t mask = bpp == 4 ? 0xFFFFFFFFu : ((1u << (bpp * 8)) - 1);
    const uint32_t lo = src.key.low & mask, hi = src.key.high & mask;
    const int64_t dw = dr.Width(), dh = dr.Height(), sw = sr.Width(), sh = sr.Height();
    // A copy within one surface goes through a scratch block.
    std::vector<uint8_t> scratch;
    const uint8_t* sbase = src.memory.data();
    int32_t spitch = src.pitch;
    if (&dst == &src) {
        scratch = src.memory;
        sbase = scratch.data();
    }
    for (int64_t y = 0; y < dh; ++y) {
        const int64_t sy = sr.top + y * sh / dh;
        uint8_t* drow = dst.memory.data() + (dr.top + y) * dst.pitch + static_cast<int64_t>(dr.left) * bpp;
        const uint8_t* srow = sbase + sy * spitch;
        for (int64_t x = 0; x < dw; ++x) {
            const int64_t sx = sr.left + x * sw / dw;
            const uint8_t* sp = srow + sx * bpp;
            if (useKey) {
                const uint32_t v = ReadRaw(sp, bpp);
                if (v >= lo && v <= hi) continue;
            }
            std::memcpy(drow + x * bpp, sp, static_cast<size_t>(bpp));
        }
    }
}

}  // namespace

DDResult CPlatformDDSurface::Blt(const SRect* destRect, CPlatformDDSurface* source, const SRect* sourceRect,
                                 uint32_t flags, const void*) {
    if (!source) return DDERR_INVALIDPARAMS;
    if (Faults().failBlt) return DDERR_GENERIC;
    if (_Lost() || source->_Lost()) return DDERR_SURFACELOST;
    SDDSurfaceState& d = *m_State;
    const SDDSurfaceState& s = *source->m_State;
    if (d.locked || s.locked || d.dc || s.dc) return DDERR_SURFACEBUSY;
    if (GdiFormatOf(d.format) != GdiFormatOf(s.format) || GdiFormatOf(d.format) == EGdiPixelFormat::None) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    const SRect dr = destRect ? *destRect : SRect{0, 0, static_cast<int32_t>(d.width), static_cast<int32_t>(d.height)};
    const SRect sr = sourceRect ? *sourceRect : SRect{0, 0, static_cast<int32_t>(s.width), static_cast<int32_t>(s.height)};
    if (!InSurface(dr, d) || !InSurface(sr, s)) return DDERR_INVALIDRECT;
    CopyBlock(d, dr, s, sr, (flags & DDBLT_KEYSRC) != 0 && s.hasKey);
    return DD_OK;
}

DDResult CPlatformDDSurface::BltFast(uint32_t x, uint32_t y, CPlatformDDSurface* source, const SRect* sourceRect,
                                     uint32_t flags) {
    if (!source) return DDERR_INVALIDPARAMS;
    const SDDSurfaceState& s = *source->m_State;
    const SRect sr = sourceRect ? *sourceRect : SRect{0, 0, static_cast<int32_t>(s.width), static_cast<int32_t>(s.height)};
    if (x > 0x7FFFFFFF || y > 0x7FFFFFFF) return DDERR_INVALIDRECT;
    // The extent in 64 bits: a source rectangle from a caller may span the whole int range.
    const int64_t right = int64_t{x} + (int64_t{sr.right} - sr.left);
    const int64_t bottom = int64_t{y} + (int64_t{sr.bottom} - sr.top);
    if (right > INT32_MAX || bottom > INT32_MAX || right < 0 || bottom < 0) return DDERR_INVALIDRECT;
    const SRect dr{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
    return Blt(&dr, source, &sr, (flags & DDBLTFAST_SRCCOLORKEY) ? DDBLT_KEYSRC : 0, nullptr);
}

DDResult CPlatformDDSurface::IsLost() const { return _Lost() ? DDERR_SURFACELOST : DD_OK; }

DDResult CPlatformDDSurface::Restore() {
    if (!_Lost()) return DD_OK;
    if (Faults().failRestore) return DDERR_GENERIC;
    std::fill(m_State->memory.begin(), m_State->memory.end(), uint8_t{0});
    m_State->epoch = LossEpoch();
    return DD_OK;
}

// --- DirectDraw object -------------------------------------------------------------

CPlatformDDraw::~CPlatformDDraw() {
    // An object that changed the display mode puts it back as it goes.
    if (m_ModeSet) GdiRestoreDisplayMode();
    --g_Objects;
}

DDResult CPlatformDDraw::Initialize(uintptr_t driver) {
    if (m_Initialized) return DDERR_ALREADYINITIALIZED;
    const SDDrawFaults f = Faults();
    if (driver == DDCREATE_EMULATIONONLY) {
        if (f.failEmulation) return DDERR_GENERIC;
        m_Emulation = true;
    } else if (driver == DDCREATE_HARDWAREONLY_DEFAULT) {
        if (f.failHardware) return DDERR_NODIRECTDRAWHW;
    } else {
        return DDERR_INVALIDPARAMS;
    }
    m_Initialized = true;
    return DD_OK;
}

DDResult CPlatformDDraw::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    if (Faults().failCooperativeLevel) return DDERR_GENERIC;
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    const bool normal = (flags & DDSCL_NORMAL) != 0;
    if (fullScreen != exclusive || (normal && fullScreen) || (!normal && !fullScreen)) return DDERR_INVALIDPARAMS;
    if (exclusive && !window) return DDERR_INVALIDPARAMS;
    m_Level = flags;
    m_Window = window;
    return DD_OK;
}

DDResult CPlatformDDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t refreshRate,
                                        uint32_t) {
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    if (!(m_Level & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;
    const SDDrawFaults f = Faults();
    if (f.failSetDisplayMode) return DDERR_UNSUPPORTEDMODE;
    SGdiDisplayMode mode;
    mode.width = static_cast<int32_t>(std::min<uint32_t>(width, INT32_MAX));
    mode.height = static_cast<int32_t>(std::min<uint32_t>(height, INT32_MAX));
    mode.bitsPerPixel = static_cast<int32_t>(std::min<uint32_t>(bitsPerPixel, 64));
    mode.refreshRate = static_cast<int32_t>(std::min<uint32_t>(refreshRate, 1000));
    if (!GdiSetDisplayMode(mode)) return DDERR_UNSUPPORTEDMODE;
    m_ModeSet = true;
    return f.setDisplayModeResult;
}

DDResult CPlatformDDraw::RestoreDisplayMode() {
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    const SDDrawFaults f = Faults();
    if (f.failRestoreDisplayMode) return DDERR_GENERIC;
    if (m_ModeSet) GdiRestoreDisplayMode();
    m_ModeSet = false;
    return f.restoreDisplayModeResult;
}

DDResult CPlatformDDraw::CreateSurface(const SDDSurfaceDesc* desc, std::unique_ptr<CPlatformDDSurface>* surface,
                                       void* outer) {
    if (!surface) return DDERR_INVALIDPARAMS;
    surface->reset();
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    if (!desc || desc->size != 124 || outer) return DDERR_INVALIDPARAMS;
    const uint32_t need = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc->flags & need) != need || !(desc->caps & DDSCAPS_OFFSCREENPLAIN)) return DDERR_INVALIDPARAMS;
    if (desc->width == 0 || desc->height == 0 || desc->width > 16384 || desc->height > 16384) return DDERR_INVALIDPARAMS;
    const bool video = (desc->caps & DDSCAPS_VIDEOMEMORY) != 0;
    const bool system = (desc->caps & DDSCAPS_SYSTEMMEMORY) != 0;
    if (video == system) return DDERR_INVALIDPARAMS;
    const SDDrawFaults f = Faults();
    if (f.failCreateSurface) return DDERR_OUTOFMEMORY;
    if (video && (f.noVideoMemory || m_Emulation)) return DDERR_OUTOFVIDEOMEMORY;

    SDDPixelFormat format = DisplayFormat(f);
    if (desc->flags & DDSD_PIXELFORMAT) {
        if (!KnownRequest(desc->pixelFormat)) return DDERR_INVALIDPIXELFORMAT;
        format = desc->pixelFormat;
        format.size = 32;
    }
    if (f.only565 && format.rgbBitCount == 16) format = MakeFormat(16, 0xF800, 0x07E0, 0x001F);
    if (f.forcedFormat.rgbBitCount != 0) format = f.forcedFormat;

    const uint32_t bytesPerPixel = std::max<uint32_t>(1, (format.rgbBitCount + 7) / 8);
    // Pitches padded to 8 bytes, unlike the 4 of a DIB, as display drivers do.
    const uint64_t pitch = (uint64_t{bytesPerPixel} * desc->width + 7) & ~uint64_t{7};
    const uint64_t bytes = pitch * desc->height;
    if (bytes > kMaxSurfaceBytes) return video ? DDERR_OUTOFVIDEOMEMORY : DDERR_OUTOFMEMORY;

    std::unique_ptr<CPlatformDDSurface> made(new CPlatformDDSurface());
    SDDSurfaceState& s = *made->m_State;
    try {
        s.memory.assign(static_cast<size_t>(bytes), 0);
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
    s.width = desc->width;
    s.height = desc->height;
    s.pitch = static_cast<int32_t>(pitch);
    s.format = format;
    s.caps = DDSCAPS_OFFSCREENPLAIN | (video ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
    s.epoch = LossEpoch();
    *surface = std::move(made);
    return DD_OK;
}

DDResult CPlatformDDraw::CreateClipper(uint32_t, std::unique_ptr<CPlatformDDClipper>* clipper, void* outer) {
    if (!clipper) return DDERR_INVALIDPARAMS;
    clipper->reset();
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    if (outer) return DDERR_INVALIDPARAMS;
    if (Faults().failCreateClipper) return DDERR_OUTOFMEMORY;
    clipper->reset(new CPlatformDDClipper());
    return DD_OK;
}

DDResult CPlatformDDraw::GetDisplayMode(SDDSurfaceDesc* desc) const {
    if (!desc || desc->size != 124) return DDERR_INVALIDPARAMS;
    if (!m_Initialized) return DDERR_NOTINITIALIZED;
    const SGdiDisplayMode mode = GdiGetDisplayMode();
    desc->flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc->width = static_cast<uint32_t>(mode.width);
    desc->height = static_cast<uint32_t>(mode.height);
    desc->pixelFormat = DisplayFormat(Faults());
    return DD_OK;
}

DDResult DDrawCoCreateInstance(const SDDGuid& classId, void* outer, uint32_t context, const SDDGuid& interfaceId,
                               std::unique_ptr<CPlatformDDraw>* object) {
    if (!object) return DDERR_INVALIDPARAMS;
    object->reset();
    if (Faults().failCreate || !(classId == CLSID_DirectDraw) || !(context & DD_CLSCTX_INPROC_SERVER)) {
        return DDERR_CLASSNOTREGISTERED;
    }
    if (!(interfaceId == IID_IDirectDraw7)) return DDERR_NOINTERFACE;
    if (outer) return DDERR_INVALIDPARAMS;
    object->reset(new CPlatformDDraw());
    ++g_Objects;
    return DD_OK;
}

SDDrawFaults& DDrawFaults() { return g_Faults; }

void DDrawResetFaults() {
    std::lock_guard<std::mutex> lock(g_FaultMutex);
    g_Faults = SDDrawFaults{};
}

void DDrawLoseSurfaces() { ++g_ExtraLosses; }

int DDrawObjectCount() { return g_Objects.load(); }
int DDrawSurfaceCount() { return g_Surfaces.load(); }
