// A replay from the play view end to end, with the game's own in-game scenes: the
// event plays in a fresh scene (to its end, or left on its line by the window's button
// 7), the play view resumes, the kept game's stage is back and the current save record
// holds the game as it was before the replay.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "engine/draw/SceneManager.h"
#include "game/core/SaveData.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "tools/demo/DemoWriter.h"

namespace {

using namespace ingametest;
using Grid = CThumbnailGridScene;

class ReplayTest : public InGameFixture {
protected:
    // `held`: the replayed event holds on its one line instead of ending at once.
    void Make(bool held = false) {
        Build({{1, 0, 0, "e00"}, {40, 90, 0, "replayed", "", 0, "[104_0]+=9"}}, [held](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteViewerData(out);
            out.Text("cfg\\playview1.txt", {"0, pv01, pv_ev01, 40, 40"});
            if (held) {
                stagetest::WriteScript(ScriptPath("replayed"), {stagetest::Record(1, 0, 2), stagetest::Line(2, 0, "held")});
            }
        });
    }
    CSceneManager& Manager() { return D().Game().GetSceneManager(); }
    // The kept game with a picture on its stage and the play view called over it; the
    // stage the kept game shows.
    CMainGameScene& CallThePlayViewOverAGame() {
        D().Game().GetSystemData().SetPlayViewUnlock(0, 1);
        EnterParked();
        CMainGameScene& stage = *kept->GetStage();
        stage.ShowLayerImage(5, "bg\\room.bmp");
        // Over the game, as its menus are: called keeping it.
        Manager().CallKeep(CPlayViewScene::kScene);
        Manager().Transition(0, 0);
        EXPECT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == CPlayViewScene::kScene; }, 10));
        return stage;
    }
    void ChooseTheFirstEntry() {
        const SPoint slot = Grid::FrameAt(0);
        D().Move(slot.x + 2, slot.y + 2);
        D().Frame();
        D().Click(slot.x + 2, slot.y + 2);
        D().Frame();
    }
};

TEST_F(ReplayTest, TheEventPlaysInAFreshSceneAndThePlayViewResumesOverTheKeptGame) {
    Make();
    CMainGameScene& stage = CallThePlayViewOverAGame();
    ASSERT_EQ(Manager().GetCurrentSceneId(), CPlayViewScene::kScene);
    kept->Status().SetParam(104, 0, 5);
    CSceneBase* view = Manager().GetCurrentScene();
    ChooseTheFirstEntry();
    const CSaveData before = D().Game().GetSaveData();
    EXPECT_EQ(before.GetGameState().GetStatus().GetParam(104, 0), 5) << "the running game was saved first";
    EXPECT_EQ(stage.FindLayerRecord(5), nullptr) << "the kept stage cleared to black";
    ASSERT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == 20; }, 60));
    ASSERT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == CPlayViewScene::kScene; }, 600));
    EXPECT_EQ(Manager().GetCurrentScene(), view);
    EXPECT_EQ(Played(), std::vector<std::string>{"replayed"});
    EXPECT_EQ(D().Game().m_ReplayFlag, 0);
    EXPECT_NE(stage.FindLayerRecord(5), nullptr) << "the kept stage rebuilt from the save record";
    EXPECT_EQ(kept->Status().GetParam(104, 0), 5);
    EXPECT_EQ(D().Game().GetSaveData(), before);
}

TEST_F(ReplayTest, Button7EndsAReplayOnItsLineAndTheKeptStageIsBackWhenThePlayViewResumes) {
    Make(true);
    CMainGameScene& stage = CallThePlayViewOverAGame();
    ChooseTheFirstEntry();
    ASSERT_EQ(stage.FindLayerRecord(5), nullptr) << "the kept stage cleared to black";
    ASSERT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == 20; }, 60));
    auto* fresh = dynamic_cast<CRaisingScene*>(Manager().GetCurrentScene());
    ASSERT_NE(fresh, nullptr);
    CMainGameScene& replay = *fresh->GetStage();
    const auto replaying = [&] { return Manager().GetCurrentScene() == fresh; };
    ASSERT_TRUE(RunUntil([&] { return !replaying() || replay.GetWindow().GetCurrentLine().m_Text == "held"; }, 120));
    ASSERT_TRUE(replaying());
    ASSERT_TRUE(D().Frame(30));
    ASSERT_TRUE(replaying());
    ASSERT_FALSE(replay.GetScriptEndFlag()) << "the replayed event holds on its line";
    // Button 7 lies off the screen; it belongs to the darkened button set.
    replay.GetWindow().SetDarken(true);
    replay.GetWindow().GetButton(7)->SetPosition(560, 560);
    D().Move(600, 580);
    ASSERT_TRUE(D().Frame(10));
    D().Click(600, 580);
    ASSERT_TRUE(D().Frame());
    EXPECT_FALSE(replay.GetScriptEndFlag()) << "the line was not what ended the replay";
    ASSERT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == CPlayViewScene::kScene; }, 60));
    EXPECT_EQ(D().Game().m_ReplayFlag, 0);
    const SLayerRecord* layer = stage.FindLayerRecord(5);
    ASSERT_NE(layer, nullptr) << "the kept game's stage rebuilt from the save record";
    EXPECT_EQ(layer->file, "bg\\room.bmp");
    EXPECT_TRUE(stage.GetTalk().Exists(5));
}

}  // namespace
