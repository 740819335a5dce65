// A replay from the play view end to end, with the game's own in-game scenes: the
// event plays in a fresh scene, the play view resumes, the kept game's stage is back
// and the current save record holds the game as it was before the replay.
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
    void Make() {
        Build({{1, 0, 0, "e00"}, {40, 90, 0, "replayed", "", 0, "[104_0]+=9"}}, [](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteViewerData(out);
            out.Text("cfg\\playview1.txt", {"0, pv01, pv_ev01, 40, 40"});
        });
    }
    CSceneManager& Manager() { return D().Game().GetSceneManager(); }
};

TEST_F(ReplayTest, TheEventPlaysInAFreshSceneAndThePlayViewResumesOverTheKeptGame) {
    Make();
    D().Game().GetSystemData().SetPlayViewUnlock(0, 1);
    EnterParked();
    kept->Status().SetParam(104, 0, 5);
    CMainGameScene& stage = *kept->GetStage();
    stage.ShowLayerImage(5, "bg\\room.bmp");
    // Over the game, as its menus are: called keeping it.
    Manager().CallKeep(CPlayViewScene::kScene);
    Manager().Transition(0, 0);
    ASSERT_TRUE(RunUntil([this] { return Manager().GetCurrentSceneId() == CPlayViewScene::kScene; }, 10));
    CSceneBase* view = Manager().GetCurrentScene();
    const SPoint slot = Grid::FrameAt(0);
    D().Move(slot.x + 2, slot.y + 2);
    D().Frame();
    D().Click(slot.x + 2, slot.y + 2);
    D().Frame();
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

}  // namespace
