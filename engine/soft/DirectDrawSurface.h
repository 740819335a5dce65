#pragma once
// One DirectDraw off-screen plain surface made from a window's DirectDraw object: made
// in video memory with a fallback to system memory, its real pixel format read back
// and mapped to the software path's depths (15, 16, 24, 32), and a lock and a device
// context that are never out at the same time.  CDDSurface owns one.
//
// CDirectDrawSurfaceManager knows every live wrapper with the DirectDraw object it came
// from, so that finalising that object releases its surfaces first.
#include <cstdint>
#include <list>
#include <memory>

#include "engine/base/CriticalSection.h"
#include "platform/ddraw/DDraw.h"
#include "platform/sys/Geometry.h"

class CDirectDraw;

// The operations of a DirectDraw surface wrapper.
class CDirectDrawSurfaceBase {
public:
    virtual ~CDirectDrawSurfaceBase() = default;
    virtual bool Create(int32_t width, int32_t height, int32_t depth, bool systemMemory) = 0;
    virtual void Release() = 0;
    virtual SSize GetSize() const = 0;
    virtual void GetSize(int32_t* width, int32_t* height) const = 0;
    virtual int32_t GetBitDepth() const = 0;
    virtual bool SetColorKey(uint32_t key) = 0;
    virtual uint32_t GetColorKey() const = 0;
    virtual DCHandle GetDC() = 0;
    virtual bool ReleaseDC() = 0;
    virtual bool Lock() = 0;
    virtual bool Unlock() = 0;
    virtual uint8_t* GetBits() const = 0;
    virtual int32_t GetPitch() const = 0;
    virtual bool Blt(CDirectDrawSurfaceBase* source, const SRect* destRect, const SRect* sourceRect,
                     bool useColorKey) = 0;
    virtual bool BltFast(CDirectDrawSurfaceBase* source, int32_t x, int32_t y, const SRect* sourceRect,
                         bool useColorKey) = 0;
    virtual bool IsCreated() const = 0;
    virtual bool IsLost() const = 0;
    virtual bool Restore() = 0;
    virtual bool IsSystemMemory() const = 0;
    virtual CPlatformDDSurface* GetSurface() const = 0;
};

class CDirectDrawSurface : public CDirectDrawSurfaceBase {
public:
    static constexpr uint32_t kBaseFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;                 // 0x7
    static constexpr uint32_t kSystemCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;      // 0x840
    static constexpr uint32_t kVideoCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;        // 0x4040

    explicit CDirectDrawSurface(CDirectDraw* owner);
    ~CDirectDrawSurface() override;
    CDirectDrawSurface(const CDirectDrawSurface&) = delete;
    CDirectDrawSurface& operator=(const CDirectDrawSurface&) = delete;

    bool Create(int32_t width, int32_t height, int32_t depth, bool systemMemory) override;
    void Release() override;
    SSize GetSize() const override { return SSize{m_Width, m_Height}; }
    void GetSize(int32_t* width, int32_t* height) const override;
    int32_t GetBitDepth() const override { return m_Depth; }
    // The key is a pixel value of the surface's own format; DirectDraw gets it masked
    // to the depth.  False when not created or at another depth.
    bool SetColorKey(uint32_t key) override;
    uint32_t GetColorKey() const override { return m_ColorKey; }
    DCHandle GetDC() override;
    bool ReleaseDC() override;
    bool Lock() override;
    bool Unlock() override;
    uint8_t* GetBits() const override;
    int32_t GetPitch() const override;
    bool Blt(CDirectDrawSurfaceBase* source, const SRect* destRect, const SRect* sourceRect,
             bool useColorKey) override;
    bool BltFast(CDirectDrawSurfaceBase* source, int32_t x, int32_t y, const SRect* sourceRect,
                 bool useColorKey) override;
    bool IsCreated() const override { return m_Surface != nullptr; }
    bool IsLost() const override;
    bool Restore() override;
    bool IsSystemMemory() const override { return m_SystemMemory; }
    CPlatformDDSurface* GetSurface() const override { return m_Surface.get(); }

    CDirectDraw* GetOwner() const { return m_Owner; }
    bool IsLocked() const { return m_Locked; }
    bool IsDCOut() const { return m_DC != nullptr; }

    virtual bool CreateSurface(int32_t width, int32_t height, int32_t depth, bool systemMemory, uint32_t flags,
                               uint32_t caps);

private:
    friend class CDirectDrawSurfaceManager;

    CDirectDraw* m_Owner;
    std::unique_ptr<CPlatformDDSurface> m_Surface;
    bool m_SystemMemory = false;
    int32_t m_Depth = 0;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    uint32_t m_ColorKey = 0;
    SDDSurfaceDesc m_LockDesc;
    bool m_Locked = false;
    DCHandle m_DC = nullptr;
};

class CDirectDrawSurfaceManager {
public:
    CDirectDrawSurfaceManager() = default;
    virtual ~CDirectDrawSurfaceManager() = default;
    CDirectDrawSurfaceManager(const CDirectDrawSurfaceManager&) = delete;
    CDirectDrawSurfaceManager& operator=(const CDirectDrawSurfaceManager&) = delete;

    static CDirectDrawSurfaceManager* GetInstance();

    void Add(CDirectDrawSurface* surface);
    void Remove(CDirectDrawSurface* surface);
    // Releases every wrapper made from `owner`; they cannot be created again, since
    // the object goes away.
    void ReleaseAll(CDirectDraw* owner);
    void RestoreAll(CDirectDraw* owner);
    size_t GetCount();

private:
    struct SEntry {
        CDirectDrawSurface* surface;
        CDirectDraw* owner;
    };
    std::list<SEntry> m_Entries;
    CCriticalSection m_Lock;
};
