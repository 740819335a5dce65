// A stage saved through a data file and restored on a fresh stage draws the same frame,
// its motions keep their records, and the locks are clear after it.
#include <gtest/gtest.h>

#include "engine/file/DataFile.h"
#include "engine/sound/SoundBank.h"
#include "tests/game/stage/scene/StageTestUtil.h"

using namespace stagetest;
using screentest::SFrame;

namespace {

class StageSaveTest : public StageFixture {
protected:
    SFrame FramesOf(CMainGameScene& stage, int n) {
        scenes.host->shown = &stage;
        EXPECT_TRUE(d.Frame(n));
        return d.Pixels();
    }
};

}  // namespace

TEST_F(StageSaveTest, ARestoredStageDrawsWhatTheSavedOneDrew) {
    Begin();
    CMainGameScene& a = Stage();
    a.ShowPicture(100, "bg\\room.bmp");
    a.ShowLayer(100);
    a.ShowPicture(200, "obj\\girl.bmp");
    a.SetLayerPos(200, 300, 150);
    a.ShowLayer(200);
    a.SetMessageOn();
    a.ShowMessage({"a", "older", ""});
    a.ShowMessage({"a", "newer", ""});
    a.ResetMessageState();
    a.SetBalloonPosition(0, 40, 40);
    a.ShowBalloon(0, 2, {"b", "balloon", ""}, false);
    a.LoadSlot(0, 0, "bgm\\a.ogg");
    a.SetSlotVolume(0, 0, 80);
    a.PlaySlot(0, 0, 0, 0);
    ASSERT_TRUE(d.Frame(40));
    a.SetLayerMotion(200, "pos_x,100,0,10");
    a.StartLayerMotion(200, false);

    CDataFile file;
    file.BeginStore();
    CStageSnapshot(a.SaveSnapshot()).Serialize(file);
    CDataFile read;
    read.SetBuffer(file.GetBuffer());
    read.BeginLoad();
    CStageSnapshot saved;
    saved.Serialize(read);
    ASSERT_TRUE(saved == a.GetRecord());
    EXPECT_EQ(saved.m_Log.size(), 2u);
    EXPECT_EQ(saved.m_Log.back().m_Text, "newer") << "oldest first";

    const SFrame before = FramesOf(a, 30);
    EXPECT_EQ(probe.At(before, 150, 300).Describe(), "obj\\girl.bmp (0, 0)") << "the motion ran to x 100";

    CMainGameScene b(&d.Game(), nullptr, false);
    b.SetCancelLock(true);
    b.SetSkipStopLock(true);
    b.RestoreSnapshot(saved);
    EXPECT_FALSE(b.IsCancelLocked());
    EXPECT_FALSE(b.IsSkipStopLocked());
    EXPECT_TRUE(Bank().IsPlaying(0, 0));
    EXPECT_EQ(Bank().GetVolume(0, 0), 80);
    EXPECT_EQ(b.GetWindow().GetLogCount(), 2u);
    const SFrame after = FramesOf(b, 30);
    EXPECT_EQ(after.pixels, before.pixels);
    scenes.host->shown = &a;

    // The box a balloon dimmed, under the veil of the darkened window, comes back bright
    // and unveiled in a game restored on the same stage.
    ASSERT_EQ(a.GetWindow().GetBox().GetDimLevel(), 50);
    a.GetWindow().SetDarken(true);
    CStageSnapshot windowOnly;
    windowOnly.m_WindowShown = 1;
    a.RestoreSnapshot(windowOnly);
    ASSERT_TRUE(d.Frame(25));
    EXPECT_EQ(a.GetWindow().GetBox().GetDimLevel(), 100);
    EXPECT_EQ(probe.At(d.Pixels(), 400, 500).Describe(), "obj\\f000_001.bmp (0, 0)");
}

TEST_F(StageSaveTest, MotionRecordsKeepTheStartValuesUntilCommand20TakesTheEnd) {
    Begin();
    CMainGameScene& s = Stage();
    s.ShowPicture(200, "obj\\girl.bmp");
    s.SetLayerPos(200, 10, 20);
    s.SetLayerMotion(200, "pos_x,100,0,10");
    s.StartLayerMotion(200, false);
    ASSERT_TRUE(d.Frame(4));
    EXPECT_EQ(s.FindLayerRecord(200)->x, 10.0f) << "the record holds where the motion started";
    s.StopLayerMotion(200);
    EXPECT_EQ(s.GetTalk().GetPosition(200).x, 10) << "stopping puts the start values back";
    s.StartLayerMotion(200, false);
    ASSERT_TRUE(d.Frame(4));
    s.StopLayerMotionAtEnd(200);
    EXPECT_EQ(s.FindLayerRecord(200)->x, 100.0f);
    EXPECT_FALSE(s.FindLayerRecord(200)->motionRunning);
}

// Every value a motion moves lands in the record where the motion ends, each on its own
// field, and the record agrees with the picture that ran to its last key.
TEST_F(StageSaveTest, AMotionStoppedAtItsEndLeavesEveryValueOfTheRecordThere) {
    Begin();
    CMainGameScene& s = Stage();
    s.ShowPicture(200, "obj\\girl.bmp");
    s.SetLayerPos(200, 10, 20);
    s.SetLayerMotion(200,
                     "pos_x,100,0,10\npos_y,50,0,10\nbright,128,0,10\nscale_x,0.5,20,0,10\n"
                     "scale_y,2.0,30,0,10\nrotate,64,40,60,0,10");
    s.StartLayerMotion(200, false);
    ASSERT_TRUE(d.Frame(3));
    s.StopLayerMotionAtEnd(200);
    const SLayerRecord& r = *s.FindLayerRecord(200);
    struct SField {
        const char* name;
        float value, end;
    };
    for (const SField f : {SField{"x", r.x, 100}, {"y", r.y, 50}, {"level", static_cast<float>(r.level), 128},
                           {"scale x", r.scaleX, 0.5f}, {"scale y", r.scaleY, 2.0f},
                           {"scale centre x", r.scaleCenterX, 20}, {"scale centre y", r.scaleCenterY, 30},
                           {"rotation", r.rotation, 64}, {"rotation centre x", r.rotationCenterX, 40},
                           {"rotation centre y", r.rotationCenterY, 60}}) {
        EXPECT_NEAR(f.value, f.end, 1e-4) << f.name;
    }
    EXPECT_FALSE(r.motionRunning);

    const CTalkObjectManager& talk = s.GetTalk();
    float sx = 0, sy = 0;
    SPoint scaleCentre{}, rotationCentre{};
    int32_t angle = 0;
    talk.GetScale(200, &sx, &sy, &scaleCentre);
    talk.GetRotation(200, &angle, &rotationCentre);
    EXPECT_EQ(talk.GetPosition(200), (SPoint{static_cast<int32_t>(r.x), static_cast<int32_t>(r.y)}));
    EXPECT_EQ(talk.GetAlpha(200), r.level);
    EXPECT_NEAR(sx, r.scaleX, 1e-4);
    EXPECT_NEAR(sy, r.scaleY, 1e-4);
    EXPECT_EQ(scaleCentre, (SPoint{static_cast<int32_t>(r.scaleCenterX), static_cast<int32_t>(r.scaleCenterY)}));
    EXPECT_EQ(angle, static_cast<int32_t>(r.rotation));
    EXPECT_EQ(rotationCentre,
              (SPoint{static_cast<int32_t>(r.rotationCenterX), static_cast<int32_t>(r.rotationCenterY)}));
}

// A script's int placement is kept as a float, which for the largest ints is 2^31, just
// past the int range: it comes back as the int it was, in a restore and after a motion.
TEST_F(StageSaveTest, PlacementsAtTheIntLimitsComeBackHeldToThem) {
    Begin();
    SLayerRecord layer;
    layer.id = 200;
    layer.file = "obj\\girl.bmp";
    layer.shown = 1;
    layer.x = static_cast<float>(INT32_MAX);
    layer.y = static_cast<float>(INT32_MIN);
    layer.rotation = static_cast<float>(INT32_MAX);
    layer.rotationCenterX = static_cast<float>(INT32_MAX);
    layer.scaleCenterY = static_cast<float>(INT32_MAX);
    CStageSnapshot record;
    record.m_Layers.push_back(layer);
    CMainGameScene b(&d.Game(), nullptr, false);
    b.RestoreSnapshot(record);
    EXPECT_EQ(b.GetTalk().GetPosition(200), (SPoint{INT32_MAX, INT32_MIN}));
    b.SetLayerMotion(200, "pos_x,100,0,10");
    b.StartLayerMotion(200, false);
    b.StopLayerMotion(200);
    EXPECT_EQ(b.GetTalk().GetPosition(200), (SPoint{INT32_MAX, INT32_MIN})) << "the motion's start";
    b.BuildThumbnail(record);
}
