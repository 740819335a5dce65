#pragma once
// A game on the demo data whose called menu screens (9, 16 and 17) are stand-ins that
// return as soon as their incoming transition has ended; every other scene is the
// game's own.  The kept in-game scene records its ResetAll.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SceneFactory.h"
#include "game/core/SceneRequest.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/PatchedFactory.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace titletest {

class CReturnScene : public CSceneBase, public CSceneObjectBase {
public:
    void Update() override {
        if (!m_Done && !IsTopSceneInTransition()) {
            m_Done = true;
            RequestReturnScene(1, 15);
        }
    }

private:
    bool m_Done = false;
};

// The game's own scenes, but for the given ids, which are CReturnScene stand-ins.
class CFactory : public screentest::CPatchedFactory {
public:
    explicit CFactory(std::vector<int32_t> standIns = {9, 16, 17}) : m_StandIns(std::move(standIns)) {}

protected:
    std::unique_ptr<CSceneBase> Patch(int32_t id) override {
        if (std::find(m_StandIns.begin(), m_StandIns.end(), id) == m_StandIns.end()) return nullptr;
        return std::make_unique<CReturnScene>();
    }

private:
    std::vector<int32_t> m_StandIns;
};

class CKeptScene : public gametest::CFakeInGame {
public:
    using gametest::CFakeInGame::CFakeInGame;
    void ResetAll() override { resets++; }
    int resets = 0;
};

using testsupport::CQuietLog;

// A game on the demo data (written, and known to the probe, before it is built) with
// the given scene factory and kept in-game scene; `extra` writes a screen's own data
// over the shared and title data.
template <class Factory, class Kept>
class CDemoGameOf {
public:
    explicit CDemoGameOf(void (*extra)(demo::CDemoWriter&) = nullptr) : m_Extra(extra), d(MakeSetup()) {}
    virtual ~CDemoGameOf() = default;
    screentest::CGameDriver::SSetup MakeSetup() {
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.channelSounds = false;
        s.prepare = [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteBootTitleData(out);
            if (m_Extra) m_Extra(out);
            for (const kit::SSheetSpec& sheet : out.Sheets()) m_Sheets.push_back(sheet);
        };
        s.inGameSceneMaker = [this](CGameMain&, bool fresh) -> std::unique_ptr<IInGameScene> {
            auto scene = std::make_unique<Kept>(fresh, &m_Record);
            if (!fresh) kept = scene.get();
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
    // Runs frames until the top-level transition has ended (at most `limit`); the
    // number run.
    int RunOutTransition(int limit = 400) { return d.RunOutTransition(limit); }
    // The probe knowing every demo sheet.
    screentest::CSheetProbe& Probe() {
        if (!m_ProbeFilled) {
            for (const kit::SSheetSpec& sheet : m_Sheets) d.Probe().Add(sheet);
            m_ProbeFilled = true;
        }
        return d.Probe();
    }

    CQuietLog m_Quiet;
    Factory m_Factory;
    gametest::CRecord m_Record;
    Kept* kept = nullptr;
    std::vector<kit::SSheetSpec> m_Sheets;
    bool m_ProbeFilled = false;
    void (*m_Extra)(demo::CDemoWriter&) = nullptr;
    screentest::CGameDriver d;
};

using CDemoGame = CDemoGameOf<CFactory, CKeptScene>;

}  // namespace titletest
