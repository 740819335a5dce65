// The proxy's choice and forwarding, the dirty-rectangle surface's records and the
// registry's walk.
#include <gtest/gtest.h>

#include <memory>

#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DirtyRectSurface.h"
#include "engine/soft/SoftSurfaceProxy.h"
#include "engine/soft/SurfaceRegistry.h"

namespace {

// Distinct fake windows, so that the tests never touch each other's entries.
SurfaceWindow FakeWindow(int n) {
    static char windows[16];
    return &windows[n];
}

}  // namespace

TEST(SoftSurfaceProxy, AnswersWhenNotCreated) {
    CSoftSurfaceProxy p(nullptr);
    EXPECT_FALSE(p.IsCreated());
    EXPECT_FALSE(p.HasImpl());
    EXPECT_EQ(p.GetFormatFlags(), -1);
    int32_t w = 7, h = 7;
    p.GetSize(&w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(p.GetSize(), (SSize{0, 0}));
    EXPECT_FALSE(p.Lock());
    EXPECT_FALSE(p.SaveBitmap("x.bmp"));
    EXPECT_FALSE(p.IsColorKeyEnabled());
    EXPECT_FALSE(p.IsAlphaEnabled());
    EXPECT_FALSE(p.HasAlphaPlane());
    EXPECT_FALSE(p.Restore());
    EXPECT_EQ(p.GetColorKey(), 0u);
    EXPECT_EQ(p.GetBitDepth(), 0);
    EXPECT_EQ(p.GetBitmap(), nullptr);
    EXPECT_EQ(p.GetDC(), nullptr);
    EXPECT_EQ(p.GetBits(), nullptr);
    EXPECT_EQ(p.GetPitch(), 0);
    EXPECT_EQ(p.GetAlphaBits(), nullptr);
    EXPECT_EQ(p.GetAlphaPitch(), 0);
    EXPECT_EQ(p.GetPixel(0, 0), 0u);
    // These do nothing and must not crash.
    p.SetColorKeyEnabled(true);
    p.SetAlphaEnabled(true);
    p.SetColorKey(1);
    p.ReleaseDC();
    p.Unlock();
    p.Clear(0);
    p.Fill(0, SRect{0, 0, 1, 1});
    p.ClearAlpha(0);
    p.FillAlpha(0, SRect{0, 0, 1, 1});
    p.CopyAlpha(&p, SRect{0, 0, 1, 1}, SRect{0, 0, 1, 1});
    p.SetPixel(0, 0, 1);
    p.SetAlpha(0, 0, 1);
    EXPECT_FALSE(p.IsCreated());
}

TEST(SoftSurfaceProxy, ChoosesDibOrDibSectionByTheDeviceContextFlag) {
    CSoftSurfaceProxy p(nullptr);
    p.SetAutoRegister(false);
    ASSERT_TRUE(p.Create(4, 4, 32, false));
    EXPECT_EQ(dynamic_cast<CDIBSectionSurface*>(p.GetImpl()), nullptr);
    EXPECT_NE(dynamic_cast<CDIBSurface*>(p.GetImpl()), nullptr);
    EXPECT_EQ(p.GetFormatFlags(), 0x0C);
    EXPECT_EQ(p.GetBitmap(), nullptr);
    ASSERT_TRUE(p.Create(4, 4, 32, true));
    EXPECT_NE(dynamic_cast<CDIBSectionSurface*>(p.GetImpl()), nullptr);
    EXPECT_EQ(p.GetFormatFlags(), 0x1C);
    EXPECT_NE(p.GetBitmap(), nullptr);
    // Without DirectDraw for the window, the DirectDraw preference changes nothing.
    p.SetUseDirectDraw(false);
    ASSERT_TRUE(p.Create(4, 4, 16, false));
    EXPECT_NE(dynamic_cast<CDIBSurface*>(p.GetImpl()), nullptr);
}

TEST(SoftSurfaceProxy, FailedCreateLeavesItNotCreated) {
    CSoftSurfaceProxy p(nullptr);
    p.SetAutoRegister(false);
    ASSERT_TRUE(p.Create(4, 4, 32, false));
    EXPECT_FALSE(p.Create(4, 4, 7, false));
    EXPECT_FALSE(p.IsCreated());
    EXPECT_FALSE(p.HasImpl());
    EXPECT_FALSE(p.LoadFromFile("does-not-exist.bmp", 32, false));
    EXPECT_FALSE(p.HasImpl());
}

TEST(SoftSurfaceProxy, WindowAndAutoRegisterSurviveTheImplementation) {
    CSurfaceRegistry* registry = CSurfaceRegistry::GetInstance();
    CSoftSurfaceProxy p(nullptr);
    p.SetWindow(FakeWindow(1));  // remembered while not created
    EXPECT_EQ(p.GetWindow(), FakeWindow(1));
    ASSERT_TRUE(p.Create(2, 2, 32, false));
    EXPECT_EQ(p.GetImpl()->GetWindow(), FakeWindow(1));
    EXPECT_TRUE(p.GetImpl()->IsAutoRegister());
    EXPECT_EQ(registry->CountOf(p.GetImpl()), 1u);
    p.Release();
    EXPECT_FALSE(p.HasImpl());

    p.SetAutoRegister(false);
    EXPECT_FALSE(p.IsAutoRegister());
    ASSERT_TRUE(p.Create(2, 2, 32, true));
    EXPECT_FALSE(p.GetImpl()->IsAutoRegister());
    EXPECT_EQ(registry->CountOf(p.GetImpl()), 0u);
    p.SetWindow(FakeWindow(2));
    EXPECT_EQ(p.GetImpl()->GetWindow(), FakeWindow(2));
}

TEST(SoftSurfaceProxy, PixelAccessRunsThroughTheImplementation) {
    CSoftSurfaceProxy p(nullptr);
    p.SetAutoRegister(false);
    ASSERT_TRUE(p.Create(3, 3, 16, true));
    p.SetPixel(1, 1, 0x00FFFFFF);
    EXPECT_EQ(p.GetPixel(1, 1), 0x00F8FCF8u);
    p.FillAlpha(9, SRect{0, 0, 3, 3});
    EXPECT_EQ(p.GetAlpha(2, 2), 9);
    p.SetAlphaEnabled(true);
    EXPECT_EQ(p.GetFormatFlags(), 0x16);
}

TEST(DirtyRectSurface, RecordsDrawsButNotSinglePixels) {
    CDirtyRectSurface s(nullptr);
    s.SetAutoRegister(false);
    ASSERT_TRUE(s.Create(100, 50, 32, true));
    CUpdateRectList& list = s.GetUpdateList();
    EXPECT_FALSE(list.HasClipRect());  // until the next Clear
    list.Clear();
    ASSERT_TRUE(list.HasClipRect());
    EXPECT_EQ(list.GetClipRect(), (SRect{0, 0, 100, 50}));

    s.SetPixel(5, 5, 0x00FFFFFF);
    s.SetAlpha(5, 5, 1);
    EXPECT_EQ(list.GetCount(), 0);
    s.Fill(0x00FFFFFF, SRect{10, 10, 20, 20});
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{10, 10, 20, 20}));

    list.Clear();
    const SRect drawn{60, 0, 140, 10};  // past the right edge: clipped by the list
    s.OnBlt(nullptr, nullptr, nullptr, nullptr, 255, 0, drawn);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{60, 0, 100, 10}));
    s.OnStretchBlt(nullptr, nullptr, nullptr, nullptr, 255, 0, SRect{0, 40, 5, 45});
    s.OnDrawEffect3(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, SRect{30, 40, 35, 45});
    s.OnDrawTransition(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                       SRect{20, 20, 22, 22});
    EXPECT_EQ(list.GetCount(), 4);

    list.Clear();
    s.CopyAlpha(&s, SRect{1, 2, 3, 4}, SRect{0, 0, 2, 2});
    s.FillAlpha(0, SRect{50, 2, 52, 4});
    EXPECT_EQ(list.GetCount(), 2);
    s.ClearAlpha(0);
    EXPECT_TRUE(list.IsWhole());
    list.Clear();
    s.Clear(0);
    EXPECT_TRUE(list.IsWhole());
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 100, 50}));
}

TEST(DirtyRectSurface, NotCreatedRecordsOnlyWhatItIsGiven) {
    CDirtyRectSurface s(nullptr);
    s.Clear(0);
    s.ClearAlpha(0);
    EXPECT_EQ(s.GetUpdateList().GetCount(), 0);  // sizes 0: empty rectangles are dropped
    s.Fill(0, SRect{1, 1, 2, 2});
    EXPECT_EQ(s.GetUpdateList().GetCount(), 1);
}

// A surface whose Restore re-creates it (as the real ones do) or fails on demand.
class CRestorable : public CDIBSurface {
public:
    explicit CRestorable(SurfaceWindow w) : CDIBSurface(w) {}
    bool Restore() override {
        ++restores;
        if (fail) return false;
        return CDIBSurface::Restore();
    }
    bool fail = false;
    int restores = 0;
};

TEST(SurfaceRegistry, RegisterAndUnregister) {
    CSurfaceRegistry* r = CSurfaceRegistry::GetInstance();
    CDIBSurface s(FakeWindow(3));
    s.SetAutoRegister(false);
    r->Register(&s, FakeWindow(3));
    r->Register(&s, FakeWindow(3));
    EXPECT_EQ(r->CountOf(&s), 2u);  // no duplicate check
    r->Unregister(&s);
    EXPECT_EQ(r->CountOf(&s), 1u);  // only the first goes
    r->Unregister(&s);
    EXPECT_EQ(r->CountOf(&s), 0u);
    r->Unregister(&s);  // none: nothing
    EXPECT_EQ(r->CountOf(&s), 0u);
}

TEST(SurfaceRegistry, CreateRegistersReleaseUnregisters) {
    CSurfaceRegistry* r = CSurfaceRegistry::GetInstance();
    {
        CDIBSurface s(FakeWindow(4));
        ASSERT_TRUE(s.Create(2, 2, 16, false));
        EXPECT_EQ(r->CountOf(&s), 1u);
        ASSERT_TRUE(s.Create(2, 2, 16, false));
        EXPECT_EQ(r->CountOf(&s), 1u);  // re-creation releases first
        s.Release();
        EXPECT_EQ(r->CountOf(&s), 0u);
        ASSERT_TRUE(s.Create(2, 2, 16, false));
    }
    // The destructor released it: no entry of window 4 remains.
    const size_t before = r->GetCount();
    r->RestoreAll(FakeWindow(4));
    EXPECT_EQ(r->GetCount(), before);
}

TEST(SurfaceRegistry, RestoreAllWalksOneWindowWithoutDuplicates) {
    CSurfaceRegistry* r = CSurfaceRegistry::GetInstance();
    CRestorable a(FakeWindow(5)), b(FakeWindow(5)), other(FakeWindow(6));
    ASSERT_TRUE(a.Create(4, 4, 16, false));
    ASSERT_TRUE(b.Create(4, 4, 16, false));
    ASSERT_TRUE(other.Create(4, 4, 16, false));
    b.fail = true;
    a.SetWindow(FakeWindow(7));  // the entry takes the surface's window after the restore

    r->RestoreAll(FakeWindow(5));
    EXPECT_FALSE(r->IsBusy());
    EXPECT_EQ(a.restores, 1);
    EXPECT_EQ(b.restores, 1);
    EXPECT_EQ(other.restores, 0);  // window 6 untouched
    EXPECT_TRUE(other.IsCreated());
    // a re-created itself inside the walk: still exactly one entry, now under window 7.
    EXPECT_TRUE(a.IsCreated());
    EXPECT_EQ(r->CountOf(&a), 1u);
    // b failed: released and dropped.
    EXPECT_FALSE(b.IsCreated());
    EXPECT_EQ(r->CountOf(&b), 0u);

    r->RestoreAll(FakeWindow(5));
    EXPECT_EQ(a.restores, 1);
    r->RestoreAll(FakeWindow(7));
    EXPECT_EQ(a.restores, 2);
    EXPECT_EQ(r->CountOf(&a), 1u);
}

TEST(SurfaceRegistry, ReleaseAll) {
    CSurfaceRegistry* r = CSurfaceRegistry::GetInstance();
    CDIBSurface a(FakeWindow(8)), b(FakeWindow(9));
    ASSERT_TRUE(a.Create(2, 2, 32, false));
    ASSERT_TRUE(b.Create(2, 2, 32, false));
    r->ReleaseAll(FakeWindow(8));
    EXPECT_FALSE(a.IsCreated());
    EXPECT_EQ(r->CountOf(&a), 0u);
    EXPECT_TRUE(b.IsCreated());
    EXPECT_EQ(r->CountOf(&b), 1u);
}

TEST(SurfaceRegistry, ProxyRestoredThroughItsImplementation) {
    CSurfaceRegistry* r = CSurfaceRegistry::GetInstance();
    CSoftSurfaceProxy p(FakeWindow(10));
    ASSERT_TRUE(p.Create(3, 3, 24, true));
    p.SetColorKeyEnabled(true);
    r->RestoreAll(FakeWindow(10));
    EXPECT_TRUE(p.IsCreated());
    EXPECT_TRUE(p.IsColorKeyEnabled());
    EXPECT_EQ(r->CountOf(p.GetImpl()), 1u);
}
