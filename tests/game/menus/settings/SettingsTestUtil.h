#pragma once
// The settings menu on the demo data, called from a stand-in caller (scene 7) so that
// leaving it returns somewhere; pages are reached through the scene.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SceneFactory.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"
#include "game/menus/settings/MenuPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/PatchedFactory.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace settingstest {

// Calls the settings menu once, with a cut or with transition 1 over `frames`.
class CCallerScene : public CSceneBase, public CSceneObjectBase {
public:
    CCallerScene(bool* called, int32_t frames) : m_Called(called), m_Frames(frames) {}
    void Update() override {
        if (!*m_Called) {
            *m_Called = true;
            RequestCallScene(CSystemMenuScene::kSceneId, m_Frames > 0 ? 1 : 0, m_Frames);
        }
    }

private:
    bool* m_Called;
    int32_t m_Frames;
};

class CFactory : public screentest::CPatchedFactory {
public:
    bool called = false;
    int32_t callFrames = 0;

protected:
    std::unique_ptr<CSceneBase> Patch(int32_t id) override {
        return id == 7 ? std::make_unique<CCallerScene>(&called, callFrames) : nullptr;
    }
};

using testsupport::CQuietLog;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : d(MakeSetup()) {}

    screentest::CGameDriver::SSetup MakeSetup() {
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.prepare = [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteSettingsData(out);
            // The music test's tune comes with the music room's data.
            out.Sound(CSoundOptionPage::kMusicTest, 300u, 3000);
            m_Sheets = out.Sheets();
        };
        return s;
    }
    CSceneManager& Manager() { return d.Game().GetSceneManager(); }
    int32_t Scene() { return Manager().GetCurrentSceneId(); }
    CSystemData& Live() { return d.Game().GetSystemData(); }
    CSystemMenuScene* Menu() { return dynamic_cast<CSystemMenuScene*>(Manager().GetCurrentScene()); }
    template <class T>
    T* Page() {
        return Menu() ? dynamic_cast<T*>(Menu()->FindPage(T::kPageId)) : nullptr;
    }
    // The menu built with page 0 shown.
    void Enter() {
        d.Start(7);
        d.Frame(3);
        ASSERT_NE(Menu(), nullptr);
    }
    // Clicks a command button (0..5 pages, 6 defaults, 7 accept, 8 cancel).
    void Command(int i) {
        const SPoint at = CSystemMenuScene::kCommandPlaces[static_cast<size_t>(i)];
        d.Click(at.x + 10, at.y + 10);
        d.Frame();
    }
    // Opens a page and lets it slide in.
    void OpenPage(int id) {
        Command(id);
        d.Move(0, 599);
        d.Frame(21);
    }
    // Clicks a point of a shown page (the click is taken in that frame).
    void ClickAt(SPoint at, int32_t dx = 4, int32_t dy = 8) {
        d.Click(at.x + dx, at.y + dy);
        d.Frame();
        d.Move(0, 599);
    }
    screentest::CSheetProbe& Probe() {
        if (!m_ProbeFilled) {
            for (const kit::SSheetSpec& sheet : m_Sheets) d.Probe().Add(sheet);
            m_ProbeFilled = true;
        }
        return d.Probe();
    }
    // Runs frames until the menu has gone (at most `limit`).
    void RunOut(int limit = 60) {
        for (int n = 0; n < limit && (Manager().IsInTransition() || Menu()); ++n) d.Frame();
    }

    CQuietLog m_Quiet;
    CFactory m_Factory;
    std::vector<kit::SSheetSpec> m_Sheets;
    bool m_ProbeFilled = false;
    screentest::CGameDriver d;
};

}  // namespace settingstest
