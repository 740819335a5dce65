// The dirty-rectangle list: clipping, merging, collapsing, never more than five.
#include <gtest/gtest.h>

#include <random>

#include "engine/base/Log.h"
#include "engine/soft/screen/DirtyRectList.h"

namespace {

CUpdateRectList ClippedList(int32_t w, int32_t h) {
    CUpdateRectList list;
    list.SetClipRect(0, 0, w, h);
    list.Clear();
    return list;
}

}  // namespace

TEST(UpdateRectList, NewListIsEmptyWithoutClip) {
    CUpdateRectList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.HasClipRect());
    EXPECT_FALSE(list.IsWhole());
}

TEST(UpdateRectList, ClipTakesEffectAtTheNextClear) {
    CUpdateRectList list;
    list.SetClipRect(0, 0, 10, 10);
    EXPECT_FALSE(list.HasClipRect());
    list.AddRect(5, 5, 50, 50);  // no clip yet: kept whole
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{5, 5, 50, 50}));
    list.Clear();
    EXPECT_TRUE(list.HasClipRect());
    EXPECT_EQ(list.GetClipRect(), (SRect{0, 0, 10, 10}));
    EXPECT_EQ(list.GetCount(), 0);
    list.AddRect(5, 5, 50, 50);
    EXPECT_EQ(list.GetRect(0), (SRect{5, 5, 10, 10}));
}

TEST(UpdateRectList, HalvesSharingAnEdgeBecomeWhole) {
    CUpdateRectList list = ClippedList(800, 600);
    list.AddRect(0, 0, 400, 600);
    EXPECT_FALSE(list.IsWhole());
    list.AddRect(400, 0, 800, 600);
    EXPECT_TRUE(list.IsWhole());
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 800, 600}));
    list.AddRect(10, 10, 20, 20);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 800, 600}));
    list.Clear();
    EXPECT_FALSE(list.IsWhole());
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(UpdateRectList, OutsideClipAndEmptyAddNothing) {
    CUpdateRectList list = ClippedList(100, 100);
    list.AddRect(100, 0, 200, 50);
    list.AddRect(-50, -50, 0, 10);
    list.AddRect(10, 10, 10, 20);
    list.AddRect(10, 20, 20, 10);
    list.AddRectSize(5, 5, 0, 3);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(UpdateRectList, ContainedAndContaining) {
    CUpdateRectList list = ClippedList(100, 100);
    list.AddRect(10, 10, 50, 50);
    list.AddRect(20, 20, 30, 30);  // contained: nothing
    ASSERT_EQ(list.GetCount(), 1);
    list.AddRect(5, 5, 60, 60);  // contains the held one: stored and merged
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{5, 5, 60, 60}));
}

TEST(UpdateRectList, BridgeMergesThree) {
    CUpdateRectList list = ClippedList(100, 100);
    list.AddRect(0, 0, 10, 10);
    list.AddRect(20, 0, 30, 10);
    EXPECT_EQ(list.GetCount(), 2);
    list.AddRect(10, 0, 20, 10);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 30, 10}));
}

TEST(UpdateRectList, CornerTouchMerges) {
    CUpdateRectList list = ClippedList(100, 100);
    list.AddRect(0, 0, 10, 10);
    list.AddRect(10, 10, 20, 20);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 20, 20}));
}

TEST(UpdateRectList, FiveDisjointWithoutClipBecomeTheirBounds) {
    CUpdateRectList list;
    for (int i = 0; i < 4; ++i) list.AddRect(i * 20, i * 20, i * 20 + 5, i * 20 + 5);
    EXPECT_EQ(list.GetCount(), 4);
    list.AddRect(100, 0, 105, 5);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_FALSE(list.IsWhole());
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 105, 65}));
}

TEST(UpdateRectList, FiveDisjointWithClipBecomeWhole) {
    CUpdateRectList list = ClippedList(1000, 1000);
    for (int i = 0; i < 5; ++i) list.AddRect(i * 20, 0, i * 20 + 5, 5);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.IsWhole());
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 1000, 1000}));
}

TEST(UpdateRectList, CollapseAppliesAPendingClip) {
    CUpdateRectList list;
    for (int i = 0; i < 4; ++i) list.AddRect(i * 20, 0, i * 20 + 5, 5);
    list.SetClipRect(0, 0, 50, 50);
    list.AddRect(200, 0, 205, 5);  // collapse clears the list, which applies the clip
    EXPECT_TRUE(list.HasClipRect());
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetRect(0), (SRect{0, 0, 205, 5}));
}

TEST(UpdateRectList, GetRectOutsideTheCountIsEmptyAndLogged) {
    CUpdateRectList list;
    list.AddRect(1, 2, 3, 4);
    CLogCapture log;
    EXPECT_EQ(list.GetRect(1), SRect{});
    EXPECT_EQ(list.GetRect(-1), SRect{});
    EXPECT_EQ(list.GetRect(1000), SRect{});
    EXPECT_TRUE(log.Contains("CUpdateRectList::GetRect()"));
}

TEST(UpdateRectList, HugeRectanglesDoNotOverflow) {
    CUpdateRectList list;
    list.SetClipRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    list.Clear();
    list.AddRect(INT32_MIN, INT32_MIN, 0, 0);
    EXPECT_FALSE(list.IsWhole());  // a quarter of the clip area, computed without wrapping
    list.AddRectSize(INT32_MAX - 1, 0, INT32_MAX, 10);  // saturates at the right edge
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetRect(1).right, INT32_MAX);
}

// Random adds: never more than five records, every record inside the clip, and every
// added rectangle (clipped) covered by some record.
TEST(UpdateRectList, RandomAddsKeepTheInvariants) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        CUpdateRectList list = ClippedList(640, 480);
        for (int n = 0; n < 12; ++n) {
            const int32_t x = static_cast<int32_t>(rng() % 700) - 30;
            const int32_t y = static_cast<int32_t>(rng() % 520) - 20;
            const int32_t w = static_cast<int32_t>(rng() % 90);
            const int32_t h = static_cast<int32_t>(rng() % 90);
            list.AddRectSize(x, y, w, h);
            ASSERT_LE(list.GetCount(), 5) << "seed " << seed;
            const SRect c{std::max(x, 0), std::max(y, 0), std::min(x + w, 640), std::min(y + h, 480)};
            if (c.IsEmpty()) continue;
            bool covered = false;
            for (int i = 0; i < list.GetCount(); ++i) {
                const SRect r = list.GetRect(i);
                ASSERT_GE(r.left, 0) << "seed " << seed;
                ASSERT_LE(r.right, 640) << "seed " << seed;
                covered = covered || (r.left <= c.left && r.top <= c.top && r.right >= c.right && r.bottom >= c.bottom);
            }
            ASSERT_TRUE(covered) << "seed " << seed << " add " << n;
        }
    }
}
