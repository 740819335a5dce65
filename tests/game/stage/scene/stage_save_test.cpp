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
