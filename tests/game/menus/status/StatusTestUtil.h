#pragma once
// A game on the demo data with a kept in-game scene that owns a game state (so the
// status pages read it through the running game), and the title tests' stand-in for
// the load screen (10), which returns as soon as its incoming transition has ended.
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameState.h"
#include "game/core/SceneFactory.h"
#include "game/core/SceneRequest.h"
#include "tests/game/menus/title/TitleTestUtil.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace statustest {

class CFactory : public titletest::CFactory {
public:
    CFactory() : titletest::CFactory({10}) {}
};

class CKeptScene : public gametest::CFakeInGame {
public:
    CKeptScene(bool fresh, gametest::CRecord* record) : CFakeInGame(fresh, record), m_Log(record) {}
    CGameState* GetGameState() override { return &state; }
    void ResetAll() override { m_Log->push_back("ResetAll"); }
    CGameState state;

private:
    gametest::CRecord* m_Log;
};

class CStatusGame : public titletest::CDemoGameOf<CFactory, CKeptScene> {
public:
    CStatusGame() : CDemoGameOf(demo::WriteStatusGuideData) {}

    CStatus& Status() { return kept->state.GetStatus(); }
    // The in-game scene running, then `scene` called over it as the in-game screens
    // do, with its incoming transition run out.
    void OpenOverGame(int32_t scene) {
        d.Start(19);
        d.Frame();
        ASSERT_TRUE(RequestCallSceneKeep(scene, 1, 15));
        d.Frame();
        RunOutTransition();
        ASSERT_EQ(Scene(), scene);
        d.Sounds().Take();
    }
};

}  // namespace statustest
