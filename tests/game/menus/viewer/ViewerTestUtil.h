#pragma once
// The game's own scenes on the demo data of the shared and viewer groups, with tables
// of the test's own written over them.  The kept in-game scene has a real stage; a
// fresh in-game scene (scene 20) stands in for the replay: it notes the event it was
// asked for and the replay flag, tries to write the current save, then clears the flag
// and returns, as the game's fresh scene does.
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SceneRequest.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace viewertest {

class CKeptScene : public gametest::CFakeInGame {
public:
    CKeptScene(CGameMain& game, gametest::CRecord* record) : CFakeInGame(false, record), m_Game(game) {}
    CMainGameScene* GetStage() override {
        if (!m_Stage) m_Stage = std::make_unique<CMainGameScene>(&m_Game, nullptr, false);
        return m_Stage.get();
    }

private:
    CGameMain& m_Game;
    std::unique_ptr<CMainGameScene> m_Stage;
};

class CReplayScene : public gametest::CFakeInGame {
public:
    CReplayScene(CGameMain& game, gametest::CRecord* record)
        : CFakeInGame(true, record), m_Game(game), m_Record(record) {}
    void Update() override {
        if (m_Done || IsTopSceneInTransition()) return;
        m_Done = true;
        m_Record->push_back("replay " + std::to_string(m_Game.m_ReplayEventId) + " flag " +
                            std::to_string(m_Game.m_ReplayFlag));
        m_Game.WriteCurrentSave();
        m_Game.m_ReplayFlag = 0;
        RequestReturnScene(1, 15);
    }

private:
    CGameMain& m_Game;
    gametest::CRecord* m_Record;
    bool m_Done = false;
};

using testsupport::CQuietLog;

class CViewerGame {
public:
    CViewerGame() : d(MakeSetup()) {
        for (const kit::SSheetSpec& sheet : m_Sheets) d.Probe().Add(sheet);
    }
    virtual ~CViewerGame() = default;

    screentest::CGameDriver::SSetup MakeSetup() {
        screentest::CGameDriver::SSetup s;
        s.channelSounds = false;
        s.prepare = [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteViewerData(out);
            m_Sheets = out.Sheets();
        };
        s.inGameSceneMaker = [this](CGameMain& game, bool fresh) -> std::unique_ptr<IInGameScene> {
            if (fresh) return std::make_unique<CReplayScene>(game, &m_Record);
            auto scene = std::make_unique<CKeptScene>(game, &m_Record);
            kept = scene.get();
            return scene;
        };
        return s;
    }

    CSceneManager& Manager() { return d.Game().GetSceneManager(); }
    int32_t Scene() { return Manager().GetCurrentSceneId(); }
    template <class T>
    T* Current() {
        return dynamic_cast<T*>(Manager().GetCurrentScene());
    }
    int RunOutTransition() { return d.RunOutTransition(); }
    // Starts a scene and runs out its incoming transition, the pointer parked off
    // every slot and button.
    void Enter(int32_t scene) {
        d.Start(scene);
        d.Move(790, 590);
        d.Frame();
        RunOutTransition();
    }
    // A table of the test's own over the demo one.
    void WriteText(const std::string& path, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(d.Folder(), path), std::vector<uint8_t>(text.begin(), text.end())));
    }
    // The probe knowing every demo sheet.
    screentest::CSheetProbe& Probe() { return d.Probe(); }

    CQuietLog m_Quiet;
    gametest::CRecord m_Record;
    CKeptScene* kept = nullptr;
    std::vector<kit::SSheetSpec> m_Sheets;
    screentest::CGameDriver d;
};

}  // namespace viewertest
