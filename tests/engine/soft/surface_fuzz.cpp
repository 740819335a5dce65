// Drives the surfaces' clipping paths with arbitrary rectangles: fills, alpha fills
// and copies between planes of different sizes, single pixels, GDI copies between
// sections and the dirty-rectangle list.  Nothing may read or write outside a buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/base/Log.h"
#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DIBSurface.h"
#include "engine/soft/screen/DirtyRectList.h"

namespace {

class CReader {
public:
    CReader(const uint8_t* data, size_t size) : m_Data(data), m_Size(size) {}
    bool Empty() const { return m_Pos >= m_Size; }
    uint8_t Byte() { return m_Pos < m_Size ? m_Data[m_Pos++] : 0; }
    // Mostly small coordinates around the surfaces, sometimes the extremes.
    int32_t Coord() {
        const uint8_t tag = Byte();
        switch (tag & 7) {
        case 0: return INT32_MIN;
        case 1: return INT32_MAX;
        default: return static_cast<int32_t>(static_cast<int8_t>(Byte()));
        }
    }
    SRect Rect() {
        SRect r;
        r.left = Coord();
        r.top = Coord();
        r.right = Coord();
        r.bottom = Coord();
        return r;
    }

private:
    const uint8_t* m_Data;
    size_t m_Size;
    size_t m_Pos = 0;
};

const int kDepths[] = {15, 16, 24, 32};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetDebugOutputEnabled(false);
    CReader in(data, size);
    CDIBSurface a(nullptr);
    CDIBSectionSurface b(nullptr);
    a.SetAutoRegister(false);
    b.SetAutoRegister(false);
    const uint8_t shape = in.Byte();
    if (!a.Create(1 + in.Byte() % 40, 1 + in.Byte() % 40, kDepths[shape & 3], false)) return 0;
    if (!b.Create(1 + in.Byte() % 40, 1 + in.Byte() % 40, kDepths[(shape >> 2) & 3], true)) return 0;
    CUpdateRectList list;
    if (shape & 0x10) list.SetClipRect(0, 0, 1 + in.Byte() % 64, 1 + in.Byte() % 64);
    list.Clear();

    for (int step = 0; step < 64 && !in.Empty(); ++step) {
        const uint8_t op = in.Byte();
        CDIBSurface* s = (op & 0x80) ? static_cast<CDIBSurface*>(&b) : &a;
        CDIBSurface* t = (op & 0x40) ? static_cast<CDIBSurface*>(&b) : &a;
        switch (op % 9) {
        case 0: s->Fill(static_cast<uint32_t>(in.Byte()) * 0x010101u, in.Rect()); break;
        case 1: s->FillAlpha(in.Byte(), in.Rect()); break;
        case 2: {
            const SRect d = in.Rect();
            s->CopyAlpha(t, d, in.Rect());
            break;
        }
        case 3: {
            const int32_t x = in.Coord(), y = in.Coord();
            s->SetPixel(x, y, 0x00FFFFFF);
            s->SetAlpha(x, y, 7);
            (void)s->GetPixel(x, y);
            (void)s->GetAlpha(x, y);
            break;
        }
        case 4: {
            const SRect r = in.Rect();
            list.AddRect(r);
            (void)list.GetRect(static_cast<int8_t>(in.Byte()));
            break;
        }
        case 5: list.AddRectSize(in.Coord(), in.Coord(), in.Coord(), in.Coord()); break;
        case 6: {
            DCHandle dst = b.GetDC();
            CDIBSectionSurface other(nullptr);
            other.SetAutoRegister(false);
            if (dst && other.Create(1 + in.Byte() % 40, 1 + in.Byte() % 40, kDepths[in.Byte() & 3], true)) {
                DCHandle src = other.GetDC();
                GdiBitBlt(dst, in.Coord(), in.Coord(), in.Coord(), in.Coord(), src, in.Coord(), in.Coord());
                GdiBitBlt(dst, in.Coord(), in.Coord(), in.Coord(), in.Coord(), dst, in.Coord(), in.Coord());
            }
            b.ReleaseDC();
            break;
        }
        case 7: s->SetAlphaEnabled((op & 0x20) != 0); break;
        case 8: (void)s->Restore(); break;
        }
        if (list.GetCount() > CUpdateRectList::MAX_RECTS) __builtin_trap();
    }
    return 0;
}
