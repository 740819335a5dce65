// The --scene start option: the sample scenes open by id, any other id is refused.
#include <gtest/gtest.h>

#include "game/core/GameStartup.h"
#include "game/menus/sample/BalloonSampleScene.h"
#include "game/menus/sample/EffectSampleScene.h"
#include "game/menus/sample/TextSampleScene.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

TEST(StartSceneTest, OnlyTheDeveloperScenesAreAccepted) {
    struct SCase {
        std::vector<std::string> args;
        int32_t scene;
        bool refused;
    };
    const SCase cases[] = {
        {{"niwa", "--scene", "27"}, 27, false},
        {{"niwa", "--scene", "28", "--frames", "5"}, 28, false},
        {{"niwa", "--scene", "29"}, 29, false},
        {{"niwa"}, 0, false},
        {{"niwa", "--scene", "26"}, 0, true},  // the letter viewer is not there yet
        {{"niwa", "--scene", "30"}, 0, true},
        {{"niwa", "--scene", "2"}, 0, true},
        {{"niwa", "--scene", "-27"}, 0, true},
        {{"niwa", "--scene", "27x"}, 0, true},
        {{"niwa", "--scene", "4294967323"}, 0, true},  // 27 once wrapped to 32 bits
        {{"niwa", "--scene"}, 0, true},
    };
    for (const SCase& c : cases) {
        const SGameCommandLine cmd = ParseGameCommandLine(c.args);
        const std::string what = c.args.size() > 2 ? c.args[2] : "(none)";
        EXPECT_EQ(cmd.scene, c.scene) << what;
        EXPECT_EQ(cmd.sceneRefused, c.refused) << what;
        EXPECT_EQ(cmd.gameArgs, std::vector<std::string>{"niwa"}) << "no game argument: " << what;
    }
    EXPECT_EQ(ParseGameCommandLine({"niwa", "--frames", "5"}).frames, 5) << "the other options are kept";
}

TEST(StartSceneTest, BeginOpensTheGivenScene) {
    SetDebugOutputEnabled(false);
    for (int32_t id : {27, 28, 29}) {
        screentest::CGameDriver d;
        d.Game().Begin(CGameMain::START_SCENE, {}, id);
        EXPECT_TRUE(d.Frame());
        CSceneManager& scenes = d.Game().GetSceneManager();
        EXPECT_EQ(scenes.GetCurrentSceneId(), id);
        CSceneBase* scene = scenes.GetCurrentScene();
        const bool right = (id == 27 && dynamic_cast<CEffectSampleScene*>(scene)) ||
                           (id == 28 && dynamic_cast<CTextSampleScene*>(scene)) ||
                           (id == 29 && dynamic_cast<CBalloonSampleScene*>(scene));
        EXPECT_TRUE(right) << "scene " << id;
    }
    SetDebugOutputEnabled(true);
}
