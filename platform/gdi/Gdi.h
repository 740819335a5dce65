#pragma once
// Our GDI memory layer: device-independent bitmaps and DIB sections (pixel memory
// the CPU and the drawing code share), device contexts that draw into a bitmap's
// memory, a flush, and the SRCCOPY copy between two contexts.
//
// Handles are plain pointers to the objects below:
//   BitmapHandle  a DIB section (what a bitmap handle is to GDI);
//   GdiObjectHandle  anything that can be selected into a context;
//   DCHandle      a device context.
// The creator owns each object (std::unique_ptr); handing out the pointer never
// transfers ownership.
//
// Extension points: CGdiDC is the base of every context.  A window context derives
// from it, answers GetPixels with the window's picture and overrides OnPixelsChanged
// so that each copy into it updates what the window shows; text drawing selects a
// font object (a further CGdiObject kind) and writes glyphs through GetPixels.
#include <cstdint>
#include <memory>

#include "platform/sys/Geometry.h"

class CGdiObject;
class CGdiBitmap;
class CGdiDC;

using GdiObjectHandle = CGdiObject*;
using BitmapHandle = CGdiBitmap*;
using DCHandle = CGdiDC*;

// Pixel formats of the memory a context draws into.
enum class EGdiPixelFormat : int {
    None = 0,
    X1R5G5B5 = 15,  // 16-bit word, bit 15 unused
    R5G6B5 = 16,    // 16-bit word
    B8G8R8 = 24,    // three bytes blue, green, red
    B8G8R8X8 = 32,  // four bytes blue, green, red, unused
};

// Bits per pixel of a format (15 counts as 16); 0 for None.
int GdiBitsPerPixel(EGdiPixelFormat format);
// Bytes per row of a top-down or bottom-up DIB: bits per pixel × width rounded up to
// whole 32-bit words.  0 when the width or the bit count is not positive or the row
// would not fit in 31 bits.
int32_t GdiDibPitch(int32_t width, int bitsPerPixel);

// The description of a DIB to create (what a BITMAPINFO with three colour masks says).
struct SGdiBitmapInfo {
    enum : uint32_t { COMPRESSION_RGB = 0, COMPRESSION_BITFIELDS = 3 };

    int32_t width = 0;
    // Negative: rows top row first (the layout every surface uses); positive: bottom
    // row first, as in a BMP file.
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;  // 16, 24 or 32
    uint32_t compression = COMPRESSION_RGB;
    uint32_t imageSize = 0;  // informational; the layer computes its own
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
};

// The pixel memory a context draws into, as the copy and text code see it.
struct SGdiPixels {
    uint8_t* bits = nullptr;  // first byte of the TOP row
    int32_t pitch = 0;        // bytes from one row to the row below it (negative when bottom-up)
    int32_t width = 0;
    int32_t height = 0;
    EGdiPixelFormat format = EGdiPixelFormat::None;

    bool IsValid() const { return bits != nullptr && width > 0 && height > 0 && format != EGdiPixelFormat::None; }
    uint8_t* Row(int32_t y) const { return bits + static_cast<intptr_t>(y) * pitch; }
};

// Anything selectable into a context.
class CGdiObject {
public:
    enum class EKind : int { Bitmap = 0, Font = 1 };
    static constexpr int KIND_COUNT = 2;

    explicit CGdiObject(EKind kind) : m_Kind(kind) {}
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    EKind GetKind() const { return m_Kind; }

private:
    friend class CGdiDC;
    EKind m_Kind;
    // The context this object is selected into, if any (a bitmap is in at most one).
    CGdiDC* m_SelectedInto = nullptr;
};

// A DIB section: zero-filled pixel memory of a fixed size and format.
class CGdiBitmap : public CGdiObject {
public:
    // Builds the section the description asks for; null when the
    // description is not one the layer knows (bit count, masks, size) or memory runs out.
    static std::unique_ptr<CGdiBitmap> CreateDIBSection(const SGdiBitmapInfo& info);

    ~CGdiBitmap() override;

    // Memory as stored: the first row in memory (the top row of a top-down section,
    // the bottom row of a bottom-up one).
    uint8_t* GetMemory() const { return m_Memory.get(); }
    // The memory in top-row-first terms (see SGdiPixels).
    SGdiPixels GetPixels() const;
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHeight() const { return m_Height; }
    int32_t GetPitch() const { return m_Pitch; }
    bool IsTopDown() const { return m_TopDown; }
    EGdiPixelFormat GetFormat() const { return m_Format; }
    size_t GetByteSize() const { return m_ByteSize; }

private:
    CGdiBitmap() : CGdiObject(EKind::Bitmap) {}

    std::unique_ptr<uint8_t[]> m_Memory;
    size_t m_ByteSize = 0;
    int32_t m_Width = 0;
    int32_t m_Height = 0;
    int32_t m_Pitch = 0;
    bool m_TopDown = true;
    EGdiPixelFormat m_Format = EGdiPixelFormat::None;
};

// A device context.  The base is a memory context: it draws into whatever bitmap is
// selected into it (nothing until one is).
class CGdiDC {
public:
    CGdiDC() = default;
    virtual ~CGdiDC();
    CGdiDC(const CGdiDC&) = delete;
    CGdiDC& operator=(const CGdiDC&) = delete;

    // Selects an object into the context and returns the object of the same kind
    // that was selected before (null when none was).  Null, or a bitmap already
    // selected into another context, is refused: null is returned and nothing changes.
    // Selecting back an object that was returned here (or null through SelectNone)
    // restores the earlier state.
    GdiObjectHandle SelectObject(GdiObjectHandle object);
    // Deselects the object of one kind; returns it.
    GdiObjectHandle SelectNone(CGdiObject::EKind kind);
    GdiObjectHandle GetSelected(CGdiObject::EKind kind) const { return m_Selected[static_cast<int>(kind)]; }

    // The memory the context draws into; invalid when there is none.  A memory
    // context answers its selected bitmap's pixels.
    virtual SGdiPixels GetPixels() const;
    // Told after every drawing operation that wrote `area` (context coordinates,
    // already clipped).  A memory context needs nothing; a window context shows it.
    virtual void OnPixelsChanged(const SRect& area);

    // Bits per pixel of the context's device (the BITSPIXEL capability): the selected
    // bitmap's for a memory context with one, else the desktop's.
    virtual int GetBitsPerPixel() const;

private:
    GdiObjectHandle m_Selected[CGdiObject::KIND_COUNT] = {};
};

// A memory context compatible with `reference` (null: the screen).  Never null.
std::unique_ptr<CGdiDC> GdiCreateCompatibleDC(DCHandle reference);

// Raster operations the copy knows.
enum class EGdiRop : uint32_t { SrcCopy = 0x00CC0020 };

// Copies the w × h block at (sx, sy) of `source` to (x, y) of `dest`, converting the
// pixel format when the two differ.  The block is clipped to both contexts' pixels.
// False when either context has no pixels, the operation is not SrcCopy or the
// arguments are null; true otherwise (also when clipping leaves nothing).
bool GdiBitBlt(DCHandle dest, int32_t x, int32_t y, int32_t w, int32_t h, DCHandle source, int32_t sx, int32_t sy,
               EGdiRop rop = EGdiRop::SrcCopy);

// Completes pending drawing so that the CPU may touch the pixels.  Our drawing is
// synchronous, so this only counts the calls (tests read the count).
void GdiFlush();
uint64_t GdiGetFlushCount();

// The desktop's bits per pixel: 32 in the program.  Tests may set 15, 16, 24 or 32;
// other values are refused (false).
int GdiGetDesktopBitsPerPixel();
bool GdiSetDesktopBitsPerPixel(int bitsPerPixel);

// Packed 0x00RRGGBB colour of one pixel in a format, and back (low channel bits of
// 15/16-bit pixels read as 0).
uint32_t GdiReadPixel(const uint8_t* pixel, EGdiPixelFormat format);
void GdiWritePixel(uint8_t* pixel, EGdiPixelFormat format, uint32_t rgb);
