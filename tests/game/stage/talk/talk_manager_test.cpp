// The talk object manager frame by frame on a real transition layer list: replacing
// and removing ids, the odd keys of objects on their way out, transitions, neutral
// answers for empty ids and ids outside the key range.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/base/Log.h"
#include "game/stage/talk/NoiseEffect.h"
#include "game/stage/talk/TalkCgImage.h"
#include "game/stage/talk/TalkObjectManager.h"
#include "tests/game/stage/talk/TalkTestUtil.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

class TalkManagerTest : public talktest::CTalkTest {
protected:
    void SetUp() override {
        CTalkTest::SetUp();
        WritePicture("obj\\red.bmp", talktest::Solid(kRed, 10, 10), 10, 10);
        WritePicture("obj\\blue.bmp", talktest::Solid(kBlue, 20, 20), 20, 20);
        manager.SetSystemData(&system);
    }
    // The keys of every record, sorted.
    std::vector<int32_t> Keys() {
        std::vector<int32_t> keys;
        for (size_t i = 0; i < manager.GetLayers().GetCount(); ++i) keys.push_back(manager.GetLayers().GetKeyAt(i));
        std::sort(keys.begin(), keys.end());
        return keys;
    }
    void Frame() {
        manager.Update();
        Clear();
        manager.Draw();
    }

    CSystemData system{CSystemData::kNoLoad};
    CTalkObjectManager manager{nullptr, nullptr};
};

}  // namespace

TEST_F(TalkManagerTest, AReplacedPictureIsDrawnFromItsOddKeyUntilThePurge) {
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 5));
    manager.Show(5);
    Frame();
    EXPECT_EQ(Probe(5, 5), 0xFF0000u);

    ASSERT_TRUE(manager.CreateImage("obj\\blue.bmp", 5));
    manager.Show(5);
    EXPECT_EQ(Keys(), (std::vector<int32_t>{10, 11}));
    Clear();
    manager.Draw();  // the old picture still lies over the new one
    EXPECT_EQ(Probe(5, 5), 0xFF0000u);
    EXPECT_EQ(Probe(15, 15), 0x0000FFu);

    // A second replacement in the same frame sends the blue one after the red one.
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 5));
    manager.Show(5);
    EXPECT_EQ(Keys(), (std::vector<int32_t>{10, 11, 11}));
    Frame();
    EXPECT_EQ(Keys(), (std::vector<int32_t>{10}));
    EXPECT_EQ(Probe(5, 5), 0xFF0000u);
    EXPECT_EQ(Probe(15, 15), 0u);

    manager.RemoveObject(5);
    EXPECT_FALSE(manager.Exists(5));
    Frame();
    EXPECT_TRUE(Keys().empty());
}

TEST_F(TalkManagerTest, AFailedLoadLeavesAnEmptyObjectThatDrawsNothing) {
    EXPECT_FALSE(manager.CreateImage("obj\\missing.bmp", 3));
    EXPECT_TRUE(manager.Exists(3));
    EXPECT_EQ(manager.GetKind(3), TALK_KIND_IMAGE);
    EXPECT_EQ(manager.GetSize(3), (SSize{0, 0}));
    manager.Show(3);
    Frame();
    EXPECT_EQ(Probe(0, 0), 0u);
    EXPECT_FALSE(manager.AddObject(7, 4));  // no such kind: no record
    EXPECT_FALSE(manager.Exists(4));
    EXPECT_EQ(Keys(), (std::vector<int32_t>{6}));
}

TEST_F(TalkManagerTest, PictureOperationsActOnlyOnPicturesAndEmptyIdsAnswerNeutrally) {
    ASSERT_TRUE(manager.CreateColorFill(800, 600, 0xFF102030u, 1));
    EXPECT_FALSE(manager.CreateTimeBg(0, 2));  // no pictures in the folder
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 3));
    for (int32_t id : {1, 2, 99}) {
        manager.SetMotion(id, "pos_x,100,0,10");
        manager.PlayMotion(id, true);
        manager.StartIn(id);
        manager.SetPosition(id, 4, 5);
        manager.SetAlpha(id, 9);
        EXPECT_FALSE(manager.IsMotionPlaying(id)) << id;
        EXPECT_EQ(manager.GetPosition(id), (SPoint{0, 0})) << id;
        EXPECT_EQ(manager.GetSize(id), (SSize{0, 0})) << id;
        EXPECT_EQ(manager.GetAlpha(id), 0) << id;
        float sx = -1, sy = -1;
        SPoint centre{-1, -1};
        int32_t angle = -1;
        manager.GetScale(id, &sx, &sy, &centre);
        manager.GetRotation(id, &angle, &centre);
        EXPECT_EQ(sx, -1.0f) << id;
        EXPECT_EQ(angle, -1) << id;
        EXPECT_EQ(centre, (SPoint{-1, -1})) << id;
    }
    EXPECT_EQ(manager.GetKind(1), TALK_KIND_COLOR);
    EXPECT_EQ(manager.GetKind(2), TALK_KIND_TIME_BG);
    EXPECT_EQ(manager.GetKind(99), 0);
    EXPECT_EQ(manager.GetObject(99), nullptr);

    // The noise keeps a position and a held alpha and is as large as the screen.
    manager.CreateNoise(4);
    manager.SetPosition(4, 4, 5);
    manager.SetAlpha(4, 300);
    EXPECT_EQ(manager.GetPosition(4), (SPoint{4, 5}));
    EXPECT_EQ(manager.GetAlpha(4), 255);
    EXPECT_EQ(manager.GetSize(4), (SSize{800, 600}));

    manager.SetMotion(3, "pos_x,100,0,10");
    manager.PlayMotion(3, false);
    EXPECT_TRUE(manager.IsMotionPlaying(3));
}

TEST_F(TalkManagerTest, DirectTransformChangesStopTheMotion) {
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 1));
    manager.SetMotion(1, "pos_x,100,0,10");
    manager.PlayMotion(1, false);
    manager.Update();
    manager.SetPosition(1, 5, 5);  // a non-looping motion ends at its last key
    EXPECT_FALSE(manager.IsMotionPlaying(1));
    EXPECT_EQ(manager.GetPosition(1), (SPoint{100, 5}));
    manager.PlayMotion(1, true);
    manager.Update();
    manager.SetAlpha(1, 300);  // a looping one just stops
    EXPECT_FALSE(manager.IsMotionPlaying(1));
    EXPECT_EQ(manager.GetAlpha(1), 255);
    EXPECT_EQ(manager.GetPosition(1), (SPoint{0, 5}));
}

TEST_F(TalkManagerTest, TransitionsPreparedObjectsAndRemovals) {
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 1));
    ASSERT_TRUE(manager.PrepareImage("obj\\blue.bmp", 1));
    EXPECT_EQ(manager.GetSize(1), (SSize{20, 20}));  // the prepared picture answers for the id
    EXPECT_TRUE(manager.StartTransition(0, 30));
    EXPECT_FALSE(manager.IsInTransition());
    manager.Update();
    EXPECT_EQ(Keys(), (std::vector<int32_t>{2}));
    EXPECT_EQ(manager.GetSize(1), (SSize{20, 20}));

    ASSERT_TRUE(manager.PrepareColorFill(800, 600, kRed, 2));
    EXPECT_TRUE(manager.StartTransition(1, 10));
    EXPECT_TRUE(manager.IsInTransition());
    manager.CreateNoise(3);  // a creation ends the transition (whether or not it loads)
    EXPECT_FALSE(manager.IsInTransition());
    EXPECT_EQ(manager.GetKind(2), TALK_KIND_COLOR);

    // Preparing and taking back: nothing changes with the next transition.
    manager.PrepareImage("obj\\red.bmp", 5);
    manager.UnprepareAllObjects();
    manager.StartTransition(0, 0);
    manager.Update();
    EXPECT_FALSE(manager.Exists(5));
    EXPECT_FALSE(manager.Exists(1));  // the current ones left with it

    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 1));
    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 2));
    manager.RemoveObject(1);
    manager.RemoveAllObjects();  // the record already on its way out keeps its key
    EXPECT_EQ(Keys(), (std::vector<int32_t>{3, 5}));
}

TEST_F(TalkManagerTest, IdsOutsideTheKeyRangeAreRefused) {
    CLogCapture log;
    for (int32_t id : {0x40000000, -0x40000000, INT32_MAX, INT32_MIN}) {
        EXPECT_FALSE(manager.CreateImage("obj\\red.bmp", id)) << id;
        EXPECT_FALSE(manager.PrepareColorFill(800, 600, kRed, id)) << id;
        manager.SetPosition(id, 1, 1);
        manager.RemoveObject(id);
        manager.UnprepareObject(id);
        EXPECT_FALSE(manager.Exists(id));
        EXPECT_EQ(manager.GetKind(id), 0);
    }
    EXPECT_TRUE(Keys().empty());
    EXPECT_TRUE(log.Contains("CTransitionLayerList::KeyOfId()"));
    EXPECT_TRUE(manager.CreateColorFill(800, 600, kRed, 0x3FFFFFFF));
    EXPECT_TRUE(manager.CreateColorFill(800, 600, kRed, -0x3FFFFFFF));
    manager.RemoveAllObjects();
    EXPECT_EQ(Keys(), (std::vector<int32_t>{-0x7FFFFFFD, 0x7FFFFFFF}));
}

TEST_F(TalkManagerTest, TheEffectsSwitchResetAndInit) {
    manager.Update();
    EXPECT_FALSE(manager.GetLayers().GetScreenEffectSwitch());
    system.SetOption(CSystemData::OPTION_EFFECTS, 0);
    manager.Update();
    EXPECT_TRUE(manager.GetLayers().GetScreenEffectSwitch());

    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 1));
    ASSERT_TRUE(manager.PrepareImage("obj\\blue.bmp", 2));
    manager.StartTransition(1, 10);
    manager.Reset();
    EXPECT_FALSE(manager.IsInTransition());
    EXPECT_FALSE(manager.Exists(1));
    manager.Update();
    EXPECT_TRUE(Keys().empty());

    ASSERT_TRUE(manager.CreateImage("obj\\red.bmp", 1));
    manager.Init();
    EXPECT_FALSE(manager.Exists(1));
    EXPECT_TRUE(manager.CreateImage("obj\\red.bmp", 1));  // the new list has a factory
}
