#pragma once
// Our small stand-in for DirectDraw 7: a DirectDraw object per window (initialised on
// the hardware driver or the emulation layer, cooperative level, display mode set and
// restore, a clipper bound to the window) and off-screen plain surfaces in "video" or
// "system" memory with a pixel-format description, a source colour key, lock and
// unlock, a device context bound to the surface memory, Blt and BltFast with an
// optional source key, and the lost state with Restore.  It keeps the calls and result
// codes the engine's DirectDraw layer was written against, in our own names.
//
// Video-memory surfaces are lost whenever the display mode changes (by DirectDraw or
// by the display settings); system-memory surfaces never are.
//
// Failures are injected through DDrawFaults() so that tests reach every failure path
// of the engine's DirectDraw layer.
#include <cstdint>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/window/WindowMessage.h"

using DDResult = int32_t;

// Results.  DD_OK is the one full success; DD_FALSE is a success that is not DD_OK.
constexpr DDResult DD_OK = 0;
constexpr DDResult DD_FALSE = 1;
constexpr DDResult DDERR_GENERIC = static_cast<DDResult>(0x80004005u);
constexpr DDResult DDERR_INVALIDPARAMS = static_cast<DDResult>(0x80070057u);
constexpr DDResult DDERR_OUTOFMEMORY = static_cast<DDResult>(0x8007000Eu);
constexpr DDResult DDERR_CLASSNOTREGISTERED = static_cast<DDResult>(0x80040154u);
constexpr DDResult DDERR_NOINTERFACE = static_cast<DDResult>(0x80004002u);
constexpr DDResult DDERR_NODIRECTDRAWHW = static_cast<DDResult>(0x88760233u);
constexpr DDResult DDERR_NOTINITIALIZED = static_cast<DDResult>(0x800401F0u);
constexpr DDResult DDERR_ALREADYINITIALIZED = static_cast<DDResult>(0x88760005u);
constexpr DDResult DDERR_NOEXCLUSIVEMODE = static_cast<DDResult>(0x887600E1u);
constexpr DDResult DDERR_UNSUPPORTEDMODE = static_cast<DDResult>(0x8876024Eu);
constexpr DDResult DDERR_OUTOFVIDEOMEMORY = static_cast<DDResult>(0x8876017Cu);
constexpr DDResult DDERR_INVALIDPIXELFORMAT = static_cast<DDResult>(0x88760091u);
constexpr DDResult DDERR_INVALIDRECT = static_cast<DDResult>(0x88760096u);
constexpr DDResult DDERR_SURFACELOST = static_cast<DDResult>(0x887601C2u);
constexpr DDResult DDERR_SURFACEBUSY = static_cast<DDResult>(0x887601AEu);
constexpr DDResult DDERR_NOTLOCKED = static_cast<DDResult>(0x887601E6u);
constexpr DDResult DDERR_DCALREADYCREATED = static_cast<DDResult>(0x8876026Cu);
constexpr DDResult DDERR_CANTCREATEDC = static_cast<DDResult>(0x8876029Au);
constexpr DDResult DDERR_NOTFOUND = static_cast<DDResult>(0x887600FFu);

inline bool DDSucceeded(DDResult r) { return r >= 0; }
// A short name of a result for log lines.
const char* DDResultName(DDResult r);

// Cooperative levels.
constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
constexpr uint32_t DDSCL_NORMAL = 0x8;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
constexpr uint32_t DDSCL_MULTITHREADED = 0x400;
// Initialize: the hardware driver (0) or the emulation layer only.
constexpr uintptr_t DDCREATE_HARDWAREONLY_DEFAULT = 0;
constexpr uintptr_t DDCREATE_EMULATIONONLY = 2;
// Surface description flags and capabilities.
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_LPSURFACE = 0x800;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDCKEY_SRCBLT = 0x8;
constexpr uint32_t DDLOCK_WAIT = 0x1;
constexpr uint32_t DDBLT_KEYSRC = 0x8000;
constexpr uint32_t DDBLT_WAIT = 0x01000000;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;

// A class or interface identity, as the component model names them.
struct SDDGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
    bool operator==(const SDDGuid&) const = default;
};
// {D7B70EE0-4340-11CF-B063-0020AFC2CD35} and {15E65EC0-3B9C-11D2-B92F-00609797EA5B}.
extern const SDDGuid CLSID_DirectDraw;
extern const SDDGuid IID_IDirectDraw7;
constexpr uint32_t DD_CLSCTX_INPROC_SERVER = 0x1;

struct SDDPixelFormat {
    uint32_t size = 32;
    uint32_t flags = 0;
    uint32_t fourCC = 0;
    uint32_t rgbBitCount = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;
};

struct SDDColorKey {
    uint32_t low = 0;
    uint32_t high = 0;
};

// What a DDSURFACEDESC2 carries here (its size field says 124 as the engine expects).
struct SDDSurfaceDesc {
    uint32_t size = 124;
    uint32_t flags = 0;
    uint32_t height = 0;
    uint32_t width = 0;
    int32_t pitch = 0;
    void* surface = nullptr;
    SDDColorKey srcBltKey;
    SDDPixelFormat pixelFormat;
    uint32_t caps = 0;
};

class CPlatformDDraw;
struct SDDrawObjectState;
struct SDDSurfaceState;

class CPlatformDDClipper {
public:
    ~CPlatformDDClipper();
    // Binds the clipper to a window; DDERR_INVALIDPARAMS for a null window.
    DDResult SetHWnd(uint32_t flags, WindowHandle window);
    WindowHandle GetHWnd() const { return m_Window; }

private:
    friend class CPlatformDDraw;
    CPlatformDDClipper() = default;
    WindowHandle m_Window = nullptr;
};

class CPlatformDDSurface {
public:
    ~CPlatformDDSurface();
    CPlatformDDSurface(const CPlatformDDSurface&) = delete;
    CPlatformDDSurface& operator=(const CPlatformDDSurface&) = delete;

    DDResult GetSurfaceDesc(SDDSurfaceDesc* desc) const;
    // Locks the whole surface (a null rectangle); the description receives the memory
    // and its pitch.
    DDResult Lock(const SRect* rect, SDDSurfaceDesc* desc, uint32_t flags, void* event);
    DDResult Unlock(const SRect* rect);
    // A context that draws into the surface memory; one at a time, never while locked.
    DDResult GetDC(DCHandle* dc);
    DDResult ReleaseDC(DCHandle dc);
    DDResult SetColorKey(uint32_t flags, const SDDColorKey* key);
    DDResult GetColorKey(uint32_t flags, SDDColorKey* key) const;
    // Copies a rectangle of `source` (null: all of it) into `destRect` (null: all of
    // this surface), scaling by nearest neighbour when the sizes differ.  Both surfaces
    // must share the pixel format.
    DDResult Blt(const SRect* destRect, CPlatformDDSurface* source, const SRect* sourceRect, uint32_t flags,
                 const void* effects);
    DDResult BltFast(uint32_t x, uint32_t y, CPlatformDDSurface* source, const SRect* sourceRect, uint32_t flags);
    // DD_OK, or DDERR_SURFACELOST once the display changed under a video-memory surface.
    DDResult IsLost() const;
    // Gives a lost surface its memory back (the pixels read 0 afterwards).
    DDResult Restore();

    bool IsVideoMemory() const;

private:
    friend class CPlatformDDraw;
    CPlatformDDSurface();
    bool _Lost() const;
    std::unique_ptr<SDDSurfaceState> m_State;
};

class CPlatformDDraw {
public:
    ~CPlatformDDraw();
    CPlatformDDraw(const CPlatformDDraw&) = delete;
    CPlatformDDraw& operator=(const CPlatformDDraw&) = delete;

    // driver: DDCREATE_HARDWAREONLY_DEFAULT (0) for the display's driver, or
    // DDCREATE_EMULATIONONLY.  A second successful Initialize is refused.
    DDResult Initialize(uintptr_t driver);
    DDResult SetCooperativeLevel(WindowHandle window, uint32_t flags);
    // Needs the exclusive full-screen level.  Refresh rate 0: the driver's default.
    DDResult SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t refreshRate,
                            uint32_t flags);
    DDResult RestoreDisplayMode();
    DDResult CreateSurface(const SDDSurfaceDesc* desc, std::unique_ptr<CPlatformDDSurface>* surface, void* outer);
    DDResult CreateClipper(uint32_t flags, std::unique_ptr<CPlatformDDClipper>* clipper, void* outer);
    // The display's mode and pixel format.
    DDResult GetDisplayMode(SDDSurfaceDesc* desc) const;

    bool IsEmulationOnly() const { return m_Emulation; }
    uint32_t GetCooperativeLevel() const { return m_Level; }

private:
    friend DDResult DDrawCoCreateInstance(const SDDGuid&, void*, uint32_t, const SDDGuid&,
                                          std::unique_ptr<CPlatformDDraw>*);
    CPlatformDDraw() = default;
    bool m_Initialized = false;
    bool m_Emulation = false;
    uint32_t m_Level = 0;
    WindowHandle m_Window = nullptr;
    bool m_ModeSet = false;
};

// The component model's object creation for the DirectDraw class.
DDResult DDrawCoCreateInstance(const SDDGuid& classId, void* outer, uint32_t context, const SDDGuid& interfaceId,
                               std::unique_ptr<CPlatformDDraw>* object);

// Failures and conditions for tests.
struct SDDrawFaults {
    bool failCreate = false;            // the class cannot be created
    bool failHardware = false;          // Initialize on the display driver fails
    bool failEmulation = false;         // Initialize on the emulation layer fails
    bool failCooperativeLevel = false;
    bool failSetDisplayMode = false;
    DDResult setDisplayModeResult = DD_OK;   // a success code other than DD_OK may be set
    bool failRestoreDisplayMode = false;
    DDResult restoreDisplayModeResult = DD_OK;
    bool failCreateClipper = false;
    bool failClipperSetHWnd = false;
    bool noVideoMemory = false;         // video-memory surfaces cannot be made
    bool failCreateSurface = false;     // no surface can be made at all
    bool only565 = false;               // 16-bit surfaces come in R5G6B5, whatever was asked
    bool display555 = false;            // a 16-bit display runs in X1R5G5B5
    bool failGetSurfaceDesc = false;
    bool failLock = false;
    bool failGetDC = false;
    bool failBlt = false;
    bool failRestore = false;
    // When bitCount is set, surfaces are made in this pixel format (odd formats).
    SDDPixelFormat forcedFormat;
};
SDDrawFaults& DDrawFaults();
void DDrawResetFaults();
// Makes every video-memory surface lost, as a display change would.
void DDrawLoseSurfaces();
// How many DirectDraw objects and surfaces exist (tests check for leaks).
int DDrawObjectCount();
int DDrawSurfaceCount();
