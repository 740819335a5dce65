// The GDI window screen: what reaches the window, the depth-change rebuild, the
// software cursor, and a real (headless) window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/base/Window.h"
#include "engine/soft/CursorControl.h"
#include "engine/soft/DIBSurface.h"
#include "engine/soft/SurfaceRegistry.h"
#include "engine/soft/screen/GdiWindowScreen.h"
#include "platform/gdi/GdiDisplay.h"
#include "platform/gdi/GdiWindow.h"
#include "platform/window/PlatformWindow.h"

namespace {

// A window context that records every rectangle copied into it; every context of the
// window shares one picture.
struct SRecord {
    std::vector<SRect> copies;
    int contexts = 0;
    int paints = 0;
    bool refuse = false;
    bool broken = false;  // contexts without pixels: every copy into them fails
    std::vector<uint8_t> picture = std::vector<uint8_t>(size_t{64} * 48 * 4, 0);

    // The window's pixel at (x, y) as a colour 0x00RRGGBB.
    uint32_t At(int x, int y) const {
        const uint8_t* p = picture.data() + (static_cast<size_t>(y) * 64 + x) * 4;
        return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
};

class CRecordingDC : public CGdiDC {
public:
    CRecordingDC(SRecord* record, int32_t w, int32_t h) : m_Record(record) {
        if (record->broken) return;
        m_P.bits = record->picture.data();
        m_P.pitch = w * 4;
        m_P.width = w;
        m_P.height = h;
        m_P.format = EGdiPixelFormat::B8G8R8X8;
    }
    SGdiPixels GetPixels() const override { return m_P; }
    void OnPixelsChanged(const SRect& area) override { m_Record->copies.push_back(area); }

private:
    SRecord* m_Record;
    SGdiPixels m_P;
};

class GdiScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        GdiResetDisplay();
        window = CPlatformWindow::Create("test", 64, 48, false);
        ASSERT_NE(window, nullptr);
        GdiSetWindowDCProvider([this](WindowHandle, bool paint) -> std::unique_ptr<CGdiDC> {
            if (record.refuse) return nullptr;
            ++record.contexts;
            if (paint) ++record.paints;
            return std::make_unique<CRecordingDC>(&record, 64, 48);
        });
    }
    void TearDown() override {
        CPlatformWindow::SetPointerProvider(nullptr);
        GdiSetWindowDCProvider(nullptr);
        GdiForgetWindow(window.get());
        window.reset();
        GdiResetDisplay();
    }
    // The pointer is read from `pointer` (screen pixels) from now on.
    void UsePointer() {
        CPlatformWindow::SetPointerProvider([this](int32_t* x, int32_t* y) {
            *x = pointer.x;
            *y = pointer.y;
            return true;
        });
    }
    // The screen point over client pixel (x, y) of the test window.
    SPoint ScreenPointOf(int32_t x, int32_t y) const {
        int32_t ox = 0, oy = 0;
        window->ScreenToClient(&ox, &oy);
        return SPoint{x - ox, y - oy};
    }
    SRecord record;
    std::unique_ptr<CPlatformWindow> window;
    SPoint pointer;
};

TEST_F(GdiScreenTest, UpdatePresentsExactlyTheDirtyRectangles) {
    CGdiWindowScreen screen(window.get(), nullptr);
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    ASSERT_TRUE(frame->IsCreated());
    EXPECT_EQ(frame->GetBitDepth(), 32);
    EXPECT_EQ(frame->GetSize(), (SSize{64, 48}));
    EXPECT_NE(frame->GetFormatFlags() & SURFACE_FLAG_HAS_DC, 0);
    frame->GetUpdateList().Clear();  // the clip rectangle of the new frame buffer
    frame->Fill(0x0000FF, SRect{2, 3, 10, 8});
    frame->Fill(0x00FF00, SRect{30, 30, 40, 40});
    EXPECT_EQ(screen.Update(), 1);
    ASSERT_EQ(record.copies.size(), 2u);
    EXPECT_EQ(record.copies[0], (SRect{2, 3, 10, 8}));
    EXPECT_EQ(record.copies[1], (SRect{30, 30, 40, 40}));
    EXPECT_EQ(frame->GetUpdateList().GetCount(), 0);
    // Nothing dirty and no cursor: nothing copied, still a success.
    record.copies.clear();
    EXPECT_EQ(screen.Update(), 1);
    EXPECT_TRUE(record.copies.empty());
}

TEST_F(GdiScreenTest, NoContextKeepsTheDirtyList) {
    CGdiWindowScreen screen(window.get(), nullptr);
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    frame->GetUpdateList().Clear();
    frame->Fill(0, SRect{1, 1, 5, 5});
    record.refuse = true;
    EXPECT_EQ(screen.Update(), 0);
    EXPECT_EQ(frame->GetUpdateList().GetCount(), 1);
    CGdiWindowScreen none(nullptr, nullptr);
    EXPECT_EQ(none.Update(), 0);
}

class CRestoreCounter : public CDIBSurface {
public:
    explicit CRestoreCounter(SurfaceWindow w) : CDIBSurface(w) {}
    bool Restore() override {
        ++restores;
        return CDIBSurface::Restore();
    }
    int restores = 0;
};

TEST_F(GdiScreenTest, DepthMismatchRebuildsTheFrameBufferAndRestoresSurfaces) {
    CGdiWindowScreen screen(window.get(), nullptr);
    CRestoreCounter a(window.get()), b(window.get());
    ASSERT_TRUE(a.Create(4, 4, 0, false));
    ASSERT_TRUE(b.Create(4, 4, 0, false));
    CRestoreCounter elsewhere(reinterpret_cast<SurfaceWindow>(uintptr_t{0x5000}));
    ASSERT_TRUE(elsewhere.Create(4, 4, 0, false));
    screen.GetFrameBuffer()->Fill(0, SRect{0, 0, 4, 4});
    GdiSetDesktopBitsPerPixel(16);
    EXPECT_EQ(screen.Update(), -1);
    EXPECT_TRUE(record.copies.empty());
    EXPECT_EQ(screen.GetFrameBuffer()->GetBitDepth(), 16);
    EXPECT_EQ(a.restores, 1);
    EXPECT_EQ(b.restores, 1);
    EXPECT_EQ(a.GetBitDepth(), 16);
    EXPECT_EQ(elsewhere.restores, 0);
    // The whole new frame is dirty: the next update copies all of it.
    EXPECT_EQ(screen.Update(), 1);
    ASSERT_EQ(record.copies.size(), 1u);
    EXPECT_EQ(record.copies[0], (SRect{0, 0, 64, 48}));
}

TEST_F(GdiScreenTest, A15BitFrameBufferGoesOntoA16BitDesktop) {
    GdiSetDesktopBitsPerPixel(15);
    CGdiWindowScreen screen(window.get(), nullptr);
    EXPECT_EQ(screen.GetFrameBuffer()->GetBitDepth(), 15);
    GdiSetDesktopBitsPerPixel(16);
    screen.GetFrameBuffer()->Fill(0, SRect{0, 0, 8, 8});
    EXPECT_EQ(screen.Update(), 1);
    GdiSetDesktopBitsPerPixel(32);
    screen.GetFrameBuffer()->Fill(0, SRect{0, 0, 8, 8});
    EXPECT_EQ(screen.Update(), -1);
    EXPECT_EQ(screen.GetFrameBuffer()->GetBitDepth(), 32);
}

// The cursor is drawn in a framed window too, at the pointer read at each copy (screen
// pixels turned into client pixels), whatever the mouse messages say; its rectangle is
// copied and kept for the next frame, and the system's pointer is hidden over the
// window meanwhile.
TEST_F(GdiScreenTest, TheCursorIsDrawnAtThePointerReadEachFrame) {
    UsePointer();
    pointer = ScreenPointOf(20, 10);
    ASSERT_NE(pointer, (SPoint{20, 10})) << "the window lies at the screen's origin: the conversion goes unseen";
    window->ShowCursor(true);
    CGdiWindowScreen screen(window.get(), nullptr);
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    frame->Clear(0x000000);
    frame->GetUpdateList().Clear();
    ASSERT_TRUE(screen.GetCursor()->IsVisible());
    int32_t cw = 0, ch = 0;
    screen.GetCursor()->GetSize(&cw, &ch);
    EXPECT_EQ(cw, CCursorControl::kArrowWidth);
    EXPECT_EQ(screen.Update(), 1);
    EXPECT_EQ(screen.GetMousePosition(), (SPoint{20, 10}));
    EXPECT_FALSE(window->IsCursorShown());
    ASSERT_EQ(record.copies.size(), 1u);
    EXPECT_EQ(record.copies[0], (SRect{20, 10, 20 + cw, 10 + ch}));
    ASSERT_EQ(frame->GetUpdateList().GetCount(), 1);
    EXPECT_EQ(frame->GetUpdateList().GetRect(0), (SRect{20, 10, 20 + cw, 10 + ch}));
    // The window shows the arrow (black tip, white inside); the frame buffer does not.
    EXPECT_EQ(record.At(20, 10), 0x000000u);
    EXPECT_EQ(record.At(21, 12), 0xFFFFFFu);
    EXPECT_EQ(frame->GetPixel(21, 12), 0u);
    EXPECT_FALSE(screen.GetCursor()->IsDrawn());
    // The pointer moves with no message: the next frame repaints the old place and
    // draws the cursor at the new one.  A mouse message moves nothing.
    pointer = ScreenPointOf(40, 25);
    window->SendMessage(WindowMsg::kMouseMove, 0, WindowMsg::MakePoint(3, 3));
    record.copies.clear();
    EXPECT_EQ(screen.Update(), 1);
    ASSERT_EQ(record.copies.size(), 2u);
    EXPECT_EQ(record.copies[0], (SRect{20, 10, 20 + cw, 10 + ch}));
    EXPECT_EQ(record.copies[1], (SRect{40, 25, 40 + cw, 25 + ch}));
    EXPECT_EQ(record.At(21, 12), 0x000000u);
    EXPECT_EQ(record.At(41, 27), 0xFFFFFFu);
    EXPECT_EQ(record.At(4, 5), 0x000000u);
}

// Without a pointer to read, nothing is drawn; the system's pointer comes back when the
// screen goes.
TEST_F(GdiScreenTest, NoPointerNoCursor) {
    CPlatformWindow::SetPointerProvider([](int32_t*, int32_t*) { return false; });
    {
        CGdiWindowScreen screen(window.get(), nullptr);
        screen.GetFrameBuffer()->GetUpdateList().Clear();
        EXPECT_EQ(screen.Update(), 1);
        EXPECT_TRUE(record.copies.empty());
        EXPECT_FALSE(window->IsCursorShown());
    }
    EXPECT_TRUE(window->IsCursorShown());
}

// In full screen (the display mode changed) the pointer's screen pixels are the
// client's: they are used as they are.
class CChangedDisplay : public CChangeDisplay {
public:
    bool ChangeDisplay(int32_t, int32_t, int32_t) override { return true; }
    bool TestDisplayMode(int32_t, int32_t, int32_t) override { return true; }
    bool Reset() override { return true; }
    bool IsChanged() const override { return true; }
    int32_t GetKind() const override { return 1; }
};

TEST_F(GdiScreenTest, InFullScreenThePointerIsUsedAsItIs) {
    CWindow app;
    ASSERT_TRUE(app.Create("full", 64, 48, false));
    CWindow::SetDisplayChangerFactory([](int) { return std::make_unique<CChangedDisplay>(); });
    ASSERT_TRUE(app.CreateDisplayChanger(0));
    UsePointer();
    pointer = SPoint{30, 20};
    {
        CGdiWindowScreen screen(app.GetHandle(), &app);
        screen.GetFrameBuffer()->GetUpdateList().Clear();
        EXPECT_EQ(screen.Update(), 1);
        EXPECT_EQ(screen.GetMousePosition(), (SPoint{30, 20}));
        int32_t cw = 0, ch = 0;
        screen.GetCursor()->GetSize(&cw, &ch);
        ASSERT_EQ(record.copies.size(), 1u);
        EXPECT_EQ(record.copies[0], (SRect{30, 20, 30 + cw, 20 + ch}));
        // Back in a window the same screen point is converted.
        app.DeleteDisplayChanger();
        EXPECT_EQ(screen.Update(), 1);
        int32_t x = 30, y = 20;
        app.GetHandle()->ScreenToClient(&x, &y);
        EXPECT_EQ(screen.GetMousePosition(), (SPoint{x, y}));
    }
    CWindow::SetDisplayChangerFactory(nullptr);
    GdiForgetWindow(app.GetHandle());
}

// A copy that fails (here the window's context has no pixels) is no success: the frame
// buffer and the window's surfaces are rebuilt and the whole frame is marked dirty; in
// the paint message the repaint is left to the next update.
TEST_F(GdiScreenTest, AFailedCopyRebuildsAndSaysSo) {
    CPlatformWindow::SetPointerProvider([](int32_t*, int32_t*) { return false; });
    CGdiWindowScreen screen(window.get(), nullptr);
    CDIBSurface surface(window.get());
    ASSERT_TRUE(surface.Create(4, 4, 0, false));
    surface.Fill(0x123456, SRect{0, 0, 4, 4});
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    frame->GetUpdateList().Clear();
    frame->Fill(0x00FF00, SRect{2, 3, 10, 8});
    record.broken = true;
    EXPECT_EQ(screen.Update(), 0);
    EXPECT_EQ(surface.GetPixel(0, 0), 0u);  // rebuilt: the contents are not kept
    ASSERT_EQ(frame->GetUpdateList().GetCount(), 1);
    EXPECT_EQ(frame->GetUpdateList().GetRect(0), (SRect{0, 0, 64, 48}));
    EXPECT_EQ(window->SendMessage(WindowMsg::kPaint), 1);
    EXPECT_TRUE(screen.IsRepaintPending());
    record.broken = false;
    EXPECT_EQ(screen.Update(), -1);
    EXPECT_EQ(screen.Update(), 1);
    ASSERT_FALSE(record.copies.empty());
    EXPECT_EQ(record.copies.back(), (SRect{0, 0, 64, 48}));
}

TEST_F(GdiScreenTest, PaintFailureDefersTheRepaint) {
    CGdiWindowScreen screen(window.get(), nullptr);
    EXPECT_EQ(window->SendMessage(WindowMsg::kPaint), 1);
    EXPECT_EQ(record.paints, 1);
    EXPECT_FALSE(screen.IsRepaintPending());
    GdiSetDesktopBitsPerPixel(16);
    window->SendMessage(WindowMsg::kPaint);
    EXPECT_TRUE(screen.IsRepaintPending());
    EXPECT_EQ(screen.GetFrameBuffer()->GetBitDepth(), 16);
    record.paints = 0;
    EXPECT_EQ(window->SendMessage(WindowMsg::kPaint), 0);  // pending: nothing
    EXPECT_EQ(record.paints, 0);
    screen.GetFrameBuffer()->GetUpdateList().Clear();
    EXPECT_EQ(screen.Update(), -1);
    record.copies.clear();
    EXPECT_EQ(screen.Update(), 1);
    ASSERT_EQ(record.copies.size(), 1u);
    EXPECT_EQ(record.copies[0], (SRect{0, 0, 64, 48}));
}

TEST(CursorControl, DrawAndRestoreKeepWhatLayUnder) {
    CSoftSurfaceProxy frame(nullptr);
    frame.SetAutoRegister(false);
    ASSERT_TRUE(frame.Create(16, 16, 16, false));
    frame.Clear(0x00FF0000);  // blue
    CCursorControl cursor;
    EXPECT_TRUE(cursor.IsVisible());  // the arrow: there is always a picture
    cursor.DrawTo(&frame, 10, 10);
    ASSERT_TRUE(cursor.IsDrawn());
    EXPECT_EQ(cursor.GetDrawnRect(), (SRect{10, 10, 16, 16}));
    EXPECT_EQ(frame.GetPixel(10, 10), 0u);           // the arrow's black tip
    EXPECT_EQ(frame.GetPixel(11, 12), 0x00F8FCF8u);  // white inside
    EXPECT_EQ(frame.GetPixel(15, 10), 0x000000F8u);  // transparent: blue stays
    cursor.RestoreUnder(&frame);
    EXPECT_EQ(frame.GetPixel(10, 10), 0x000000F8u);
    EXPECT_EQ(frame.GetPixel(11, 12), 0x000000F8u);
    cursor.DrawTo(&frame, -100, 3);  // wholly outside
    EXPECT_FALSE(cursor.IsDrawn());
}

TEST(GdiScreenHeadless, AFrameBufferReachesTheWindowPicture) {
    GdiResetDisplay();
    std::unique_ptr<CPlatformWindow> window = CPlatformWindow::Create("headless", 32, 24, false);
    ASSERT_NE(window, nullptr);
    {
        CGdiWindowScreen screen(window.get(), nullptr);
        CDirtyRectSurface* frame = screen.GetFrameBuffer();
        frame->Clear(0x00FF8040);  // COLORREF: red 0x40, green 0x80, blue 0xFF
        frame->Fill(0x000000FF, SRect{4, 4, 8, 8});
        EXPECT_EQ(screen.Update(), 1);
        const SGdiPixels picture = GdiGetWindowPicture(window.get());
        ASSERT_TRUE(picture.IsValid());
        ASSERT_EQ(picture.width, 32);
        bool same = true;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 32; ++x) {
                same &= GdiReadPixel(picture.Row(y) + x * 4, picture.format) == frame->GetPixel(x, y);
            }
        }
        EXPECT_TRUE(same);
        EXPECT_EQ(GdiReadPixel(picture.Row(5) + 5 * 4, picture.format), 0x00FF0000u);
    }
    GdiForgetWindow(window.get());
}

}  // namespace

namespace {

TEST_F(GdiScreenTest, TheInvalidatingVariantCopiesInThePaintMessage) {
    CPlatformWindow::SetPointerProvider([](int32_t*, int32_t*) { return false; });
    CGdiWindowScreenCursor screen(window.get(), nullptr);
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    frame->GetUpdateList().Clear();
    frame->Fill(0, SRect{5, 6, 9, 10});
    EXPECT_EQ(screen.Update(), 1);
    EXPECT_EQ(frame->GetUpdateList().GetCount(), 0);
    EXPECT_TRUE(record.copies.empty());  // only invalidated so far
    EXPECT_EQ(window->SendMessage(WindowMsg::kPaint), 1);
    ASSERT_EQ(record.copies.size(), 1u);
    EXPECT_EQ(record.copies[0], (SRect{5, 6, 9, 10}));
    // A failed paint copy: the next update rebuilds and hands back the failure.
    GdiSetDesktopBitsPerPixel(16);
    window->SendMessage(WindowMsg::kPaint);
    EXPECT_EQ(screen.GetLastPaintResult(), -1);
    EXPECT_EQ(screen.Update(), -1);
    EXPECT_EQ(frame->GetBitDepth(), 16);
    EXPECT_EQ(screen.GetLastPaintResult(), 1);
}

// The variant copies the cursor's area straight to the window at each mouse move, at
// the position the message carries, and takes the cursor out of the frame buffer again.
TEST_F(GdiScreenTest, TheInvalidatingVariantCopiesTheCursorAtEachMouseMove) {
    CGdiWindowScreenCursor screen(window.get(), nullptr);
    CDirtyRectSurface* frame = screen.GetFrameBuffer();
    frame->Clear(0x000000);
    int32_t cw = 0, ch = 0;
    screen.GetCursor()->GetSize(&cw, &ch);
    EXPECT_EQ(window->SendMessage(WindowMsg::kMouseMove, 0, WindowMsg::MakePoint(20, 10)), 0);
    ASSERT_EQ(record.copies.size(), 1u);
    EXPECT_EQ(record.copies[0], (SRect{20, 10, 20 + cw, 10 + ch}));
    EXPECT_EQ(record.At(21, 12), 0xFFFFFFu);
    EXPECT_EQ(frame->GetPixel(21, 12), 0u);
    EXPECT_FALSE(screen.GetCursor()->IsDrawn());
    EXPECT_FALSE(window->IsCursorShown());
}

}  // namespace
