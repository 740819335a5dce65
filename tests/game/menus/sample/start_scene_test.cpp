// The --scene start option: the developer scenes open by id, any other id is refused.
#include <gtest/gtest.h>

#include "game/core/GameStartup.h"
#include "game/menus/sample/BalloonSampleScene.h"
#include "game/menus/sample/EffectSampleScene.h"
#include "game/menus/sample/LetterViewerScene.h"
#include "game/menus/sample/TextSampleScene.h"
#include "tests/game/menus/sample/SampleTestUtil.h"

TEST(StartSceneTest, OnlyTheDeveloperScenesAreAccepted) {
    // 4294967323 is 27 wrapped to 32 bits.
    for (const char* refused : {"25", "30", "2", "-27", "27x", "4294967323", ""}) {
        std::vector<std::string> args{"niwa", "--scene"};
        if (*refused) args.push_back(refused);
        const SGameCommandLine cmd = ParseGameCommandLine(args);
        EXPECT_TRUE(cmd.sceneRefused && cmd.scene == 0) << refused;
        EXPECT_EQ(cmd.gameArgs.size(), 1u) << refused;
    }
    EXPECT_FALSE(ParseGameCommandLine({"niwa"}).sceneRefused);
    EXPECT_EQ(ParseGameCommandLine({"niwa", "--scene", "--frames", "5"}).frames, 5) << "no value: the next option stays";
    const SGameCommandLine cmd = ParseGameCommandLine({"niwa", "--scene", "28", "--frames", "5"});
    EXPECT_EQ(cmd.scene, 28);
    EXPECT_EQ(cmd.frames, 5);
}

TEST(StartSceneTest, BeginOpensTheGivenScene) {
    for (int32_t id : {26, 27, 28, 29}) {
        sampletest::CSampleGame g(2, {});  // the boot scene, which this game cannot build
        g.d.Game().Begin(CGameMain::START_SCENE, {}, id);
        g.d.Frame();
        CSceneBase* scene = g.d.Game().GetSceneManager().GetCurrentScene();
        EXPECT_EQ(g.d.Game().GetSceneManager().GetCurrentSceneId(), id);
        EXPECT_TRUE((id == 26 && dynamic_cast<CLetterViewerScene*>(scene)) || (id == 27 && dynamic_cast<CEffectSampleScene*>(scene)) ||
                    (id == 28 && dynamic_cast<CTextSampleScene*>(scene)) ||
                    (id == 29 && dynamic_cast<CBalloonSampleScene*>(scene)))
            << id;
    }
}
