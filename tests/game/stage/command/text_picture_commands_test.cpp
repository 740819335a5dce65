// The text and picture handlers against the stage: their arguments, results and what
// the stage records and shows.
#include <gtest/gtest.h>

#include <bit>

#include "engine/base/Log.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/CGViewTable.h"
#include "tests/game/stage/command/CommandTestUtil.h"
#include "tools/script/AdvScriptBuilder.h"

using namespace commandtest;

namespace {

constexpr const char* kGirl = "obj\\girl.bmp";  // 200 × 400
constexpr const char* kRoom = "bg\\room.bmp";   // 800 × 600

class TextCommands : public CommandFixture {
protected:
    SBalloonState& Balloon(int32_t n) { return *Stage().GetMessageState().GetBalloon(n); }
};

class PictureCommands : public CommandFixture {};

}  // namespace

TEST_F(TextCommands, WaitIsTwoFramesMoreThanItsTimeWithItsFlags) {
    Begin();
    EXPECT_EQ(Run(Rec(2, {0})), 1);
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 2);
    EXPECT_EQ(Run(Rec(2, {1000, 0, 7, 0, -1})), 1);
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 62);
    const uint8_t* flags = Stage().GetRecord().m_WaitFlags;
    EXPECT_EQ((std::array<uint8_t, 4>{flags[0], flags[1], flags[2], flags[3]}), (std::array<uint8_t, 4>{0, 1, 0, 1}));
    CLogCapture log;
    EXPECT_EQ(Run(Rec(2, {-5})), 1);
    EXPECT_EQ(Stage().GetRecord().m_WaitFrames, 2) << "a negative time waits as 0 does, not for years";
    EXPECT_TRUE(log.Contains("CGameCommand::Frames()"));
}

TEST_F(TextCommands, LineDropsOnlyTheEmptyVoiceNameWhileTheBalloonKeepsIt) {
    Begin();
    Settings().SetVoiceSwitch(1, 1);
    EXPECT_EQ(Run(Rec(5, {100, 0}, {"n", "plain", "voice\\.ogg"})), 1);
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Voice, "");
    EXPECT_EQ(Run(Rec(5, {100, 0}, {"n", "voiced", "voice\\me_0001.ogg"})), 1);
    EXPECT_EQ(Stage().GetWindow().GetCurrentLine().m_Voice, "voice\\me_0001.ogg");
    EXPECT_TRUE(Bank().IsPlaying(2, 0));
    EXPECT_EQ(Run(RecAt(6, {{11, 3}}, {"n", "b", "voice\\.ogg"})), 1);
    ASSERT_NE(Stage().GetWindow().GetBalloonLine(3), nullptr);
    EXPECT_EQ(Stage().GetWindow().GetBalloonLine(3)->m_Voice, "voice\\.ogg");
}

TEST_F(TextCommands, BalloonPlacesAndEffectsAndTheHeldChain) {
    Begin();
    struct Case {
        int32_t place;
        SPoint at;
    };
    for (const Case& c : {Case{0, {190, 168}}, Case{1, {-30, 168}}, Case{2, {440, 168}}}) {
        Run(RecAt(6, {{7, c.place}, {8, 10}, {9, 20}, {11, 2}}, {"n", "t", ""}));
        EXPECT_EQ((SPoint{Balloon(2).x, Balloon(2).y}), c.at) << c.place;
    }
    Run(RecAt(6, {{7, 3}, {8, 999}, {9, 999}, {11, 2}}, {"n", "t", ""}));
    EXPECT_EQ((SPoint{Balloon(2).x, Balloon(2).y}), (SPoint{440, 168})) << "another place keeps the balloon where it was";

    Settings().m_MessageSpeed = 50;  // at full speed the stage drops the timed reveal
    // A chain of two balloon lines: the first is held open by effect 1 over 65,535 frames.
    CAdvScriptBuilder script;
    script.Add(6, {100, 0, 5, 1000, 6, 500, 1, 0, 0, 0, 0, 4, 1}, {"n", "one", ""});
    const uint32_t firstId = script.GetLastId();
    script.Add(6, {100, 0, 5, 1000, 6, 500, 0, 0, 0, 0, 0, 5, 1}, {"n", "two", ""});
    const uint32_t secondId = script.GetLastId();
    ASSERT_TRUE(script.Save("chain.scr"));
    ASSERT_TRUE(Stage().StartScript("chain.scr"));
    CAdvCommandControl& runner = Stage().GetRunner();
    EXPECT_EQ(Run(*runner.FindById(firstId)), 1);
    EXPECT_EQ((std::array{Balloon(4).inEffect, Balloon(4).inFrames, Balloon(4).outEffect, Balloon(4).outFrames}),
              (std::array{5, 60, 1, 65535}));
    EXPECT_TRUE(Balloon(4).timed);
    EXPECT_EQ(Balloon(4).interval, 10);
    EXPECT_TRUE(Balloon(4).closeOnAdvance);
    EXPECT_EQ(Run(*runner.FindById(secondId)), 1);
    EXPECT_EQ((std::array{Balloon(5).outEffect, Balloon(5).outFrames}), (std::array{6, 30}))
        << "the chain's last balloon closes with its own effect";
    CAdvCommand unheld = *runner.FindById(firstId);
    unheld.Ints[12] = 0;
    Run(unheld);
    EXPECT_EQ((std::array{Balloon(4).outEffect, Balloon(4).outFrames}), (std::array{6, 30}));
}

TEST_F(TextCommands, BalloonNumbersOutsideTheWindowAddressNothing) {
    Begin();
    const CStageSnapshot before = Stage().GetRecord();
    CLogCapture log;
    for (int32_t n : {-1, 11, 31}) {
        EXPECT_EQ(Run(RecAt(6, {{7, 0}, {11, n}}, {"n", "t", ""})), 1) << n;
        EXPECT_EQ(Run(Rec(7, {n})), 2) << n;
    }
    EXPECT_TRUE(Stage().GetRecord().m_Balloons == before.m_Balloons);
    EXPECT_TRUE(log.Contains("CGameCommand06::Translate()"));
    EXPECT_TRUE(log.Contains("CGameCommand07::Translate()"));
}

TEST_F(TextCommands, CloseOneBalloonOrAllClearsTheirMarks) {
    Begin();
    for (int32_t n : {0, 1, 10}) Run(RecAt(6, {{11, n}}, {"n", "t", ""}));
    ASSERT_TRUE(d.Frame(30));
    EXPECT_EQ(Run(Rec(7, {1})), 2);
    EXPECT_EQ(Stage().GetRecord().GetBalloon(1)->shown, 0);
    EXPECT_EQ(Stage().GetRecord().GetBalloon(0)->shown, 1);
    EXPECT_EQ(Run(Rec(8)), 2);
    for (int32_t n : {0, 10}) EXPECT_EQ(Stage().GetRecord().GetBalloon(n)->shown, 0) << n;
}

TEST_F(PictureCommands, BackgroundsTimeOfDayPicturesAndFills) {
    const std::string cgview = "1, bg\\bg13e\n2, bg\\room\n3, bg\\bg13m\n";
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), "cfg\\cgview1.txt"), {cgview.begin(), cgview.end()}));
    CGViewTable::Reload();
    Begin();
    EXPECT_EQ(Run(Rec(10, {}, {"bg\\bg13e.bmp"})), 2);
    ASSERT_NE(Layer(100), nullptr);
    EXPECT_EQ(Layer(100)->kind, 4);
    EXPECT_EQ(Layer(100)->args, std::vector<int32_t>{1});
    EXPECT_EQ(Stage().GetTalk().GetKind(100), 4);
    EXPECT_EQ(Run(Rec(10, {}, {kRoom})), 2);
    EXPECT_EQ(Layer(100)->kind, 0);
    EXPECT_EQ(Layer(100)->file, kRoom);
    EXPECT_EQ(Layer(100)->level, 256);
    EXPECT_EQ(Layer(100)->shown, 1);
    EXPECT_EQ((std::array{Settings().GetCgUnlock(1), Settings().GetCgUnlock(2), Settings().GetCgUnlock(3)}),
              (std::array<uint8_t, 3>{1, 1, 0}))
        << "the shown time of day and picture are seen, the other times of day are not";
    EXPECT_EQ(Run(Rec(12, {0x1AB, -1, 0x102})), 2);
    EXPECT_EQ(Layer(100)->kind, 2);
    EXPECT_EQ(static_cast<uint32_t>(Layer(100)->args[0]), 0xFFABFF02u);
    EXPECT_EQ(Run(Rec(22)), 2);
    EXPECT_EQ(static_cast<uint32_t>(Layer(100)->args[0]), 0xFF000000u);
}

TEST_F(PictureCommands, FiguresStandOnTheFloorLineAtTheirPlaces) {
    Begin();
    struct Case {
        int32_t place, layer;
        SPoint at;
    };
    for (const Case& c : {Case{0, 200, {310, 220}}, Case{1, 400, {140, 220}}, Case{2, 300, {480, 220}}}) {
        EXPECT_EQ(Run(Rec(13, {c.place, 0, 10, 20}, {kGirl})), 2);
        EXPECT_EQ(LayerPos(c.layer), c.at) << c.place;
        EXPECT_EQ(Layer(c.layer)->level, 256);
    }
    const auto layers = Stage().GetRecord().m_Layers;
    EXPECT_EQ(Run(Rec(13, {3, 0, 10, 20}, {kGirl})), 2);
    EXPECT_TRUE(Stage().GetRecord().m_Layers == layers) << "place 3 changes nothing";
    EXPECT_EQ(Run(Rec(14, {1})), 2);
    EXPECT_EQ(Layer(400), nullptr);
    EXPECT_NE(Layer(200), nullptr);
    EXPECT_EQ(Run(Rec(21)), 2);
    EXPECT_EQ(Layer(200), nullptr);
    EXPECT_EQ(Layer(300), nullptr);
}

TEST_F(PictureCommands, LayerPicturesPlaceByRuleInEveryMode) {
    Begin();
    struct Case {
        uint32_t code;
        int32_t rule, mode;
        SPoint at;
    };
    for (const Case& c : {Case{15, 0, 0, {10, 20}}, Case{15, 1, 1, {310, 220}}, Case{16, 2, 0, {190, 220}},
                          Case{16, 3, 1, {530, 220}}}) {  // two frames: 100 wide
        CAdvCommand r = Rec(c.code, {c.rule, 10, 20, 500, c.mode, 3, 100, 2, 4, 0}, {kGirl});
        EXPECT_EQ(Run(r), 2);
        ASSERT_NE(Layer(500), nullptr) << c.code << " " << c.rule;
        EXPECT_EQ(LayerPos(500), c.at) << c.code << " " << c.rule;
        EXPECT_EQ(Layer(500)->kind, c.code == 15 ? 0 : 1);
        if (c.code == 16) {
            EXPECT_EQ(Layer(500)->args, (std::vector<int32_t>{2, 4, 0})) << "no cross-fade";
        }
        if (c.mode == 0) {
            EXPECT_TRUE(Stage().GetTalk().GetObject(500));
        }
    }
    // Mode 2 makes no picture but still places the layer and makes it opaque.
    Run(Rec(15, {0, 10, 20, 500, 0}, {kGirl}));
    Run(RecAt(18, {{3, 500}, {15, 40}, {19, 1}}));
    EXPECT_EQ(Run(Rec(15, {0, 33, 44, 500, 2}, {kRoom})), 2);
    EXPECT_EQ(Layer(500)->file, kGirl);
    EXPECT_EQ(LayerPos(500), (SPoint{33, 44}));
    EXPECT_EQ(Layer(500)->level, 256);
    EXPECT_EQ(Run(Rec(16, {0, 0, 0, 600, 0, 0, 0, 2, 4, 1}, {kGirl})), 2);
    EXPECT_EQ(Layer(600)->args, (std::vector<int32_t>{2, 4, 1}));
    EXPECT_EQ(Run(Rec(17, {600, 0})), 2);
    EXPECT_EQ(Layer(600), nullptr);
    EXPECT_EQ(Run(Rec(17, {500, 1, 3, 100})), 2);
    EXPECT_EQ(Layer(500)->shown, 0);
}

TEST_F(PictureCommands, ChangesTakeEffectOnlyByTheirSwitches) {
    Begin();
    Run(Rec(15, {0, 10, 20, 500, 0}, {kGirl}));
    CAdvCommand r = RecAt(18, {{0, 1}, {1, 0}, {2, 0}, {3, 500}, {4, 1500}, {5, 250}, {6, 7}, {7, 8}, {8, 1},
                               {10, 64}, {11, 3}, {12, 4}, {14, 1}, {15, 128}});
    EXPECT_EQ(Run(r), 2);
    const SLayerRecord unchanged = *Layer(500);
    EXPECT_EQ(LayerPos(500), (SPoint{10, 20})) << "no switch, no change";
    EXPECT_EQ(unchanged.level, 256);
    for (int sw : {16, 17, 18, 19}) r.Ints[static_cast<size_t>(sw)] = 1;
    Run(r);
    const SLayerRecord& l = *Layer(500);
    EXPECT_EQ(LayerPos(500), (SPoint{300, 200}));
    EXPECT_FLOAT_EQ(l.scaleX, 1.5f);
    EXPECT_FLOAT_EQ(l.scaleY, 0.25f);
    EXPECT_EQ((std::array{l.scaleCenterX, l.scaleCenterY}), (std::array{100.0f, 8.0f})) << "x centre switch on";
    EXPECT_EQ(l.rotation, 64.0f);
    EXPECT_EQ((std::array{l.rotationCenterX, l.rotationCenterY}), (std::array{3.0f, 200.0f})) << "y centre switch on";
    EXPECT_EQ(l.level, 128);
}

TEST_F(PictureCommands, StoppedMotionLeavesTheRecordAtItsEnd) {
    Begin();
    Run(Rec(15, {0, 10, 20, 500, 0}, {kGirl}));
    EXPECT_EQ(Run(Rec(19, {500, 0}, {"pos_x,110,0,100\nbright,64,0,100"})), 2);
    EXPECT_EQ(Layer(500)->motionRunning, 1);
    ASSERT_TRUE(d.Frame(3));
    EXPECT_EQ(Run(Rec(20, {500})), 2);
    EXPECT_EQ(Layer(500)->motionRunning, 0);
    EXPECT_EQ(LayerPos(500), (SPoint{110, 20}));
    EXPECT_EQ(Layer(500)->level, 64);
    EXPECT_EQ(Stage().GetTalk().GetPosition(500).x, 110) << "the picture ran to its last key";
}

TEST_F(PictureCommands, LayerIdsBeyondTheKeyRangeDoNothing) {
    Begin();
    CLogCapture log;
    EXPECT_EQ(Run(Rec(15, {0, 0, 0, 0x40000000, 0}, {kGirl})), 2);
    EXPECT_EQ(Run(Rec(19, {-0x40000000, 0}, {"pos_x,1,0,1"})), 2);
    EXPECT_EQ(Stage().GetTalk().GetObject(0x40000000), nullptr);
    EXPECT_TRUE(log.Contains("CTransitionLayerList::KeyOfId()"));
}
