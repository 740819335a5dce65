#pragma once
// The whole game with the real in-game scene: an event table and one-line scripts in
// the game folder, the stage's window data, stand-ins for the mode screens that live
// elsewhere (4, 5, 6, 13 to 17: each ends itself on its first update after a hook),
// and a record of every mode the factory makes and every script the scene plays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/ingame/SelectionScene.h"
#include "game/stage/message/MessageWindow.h"
#include "tests/game/stage/scene/StageTestUtil.h"

namespace ingametest {

// One row of cfg\event.csv: id, occasion, script file (folder "t"), the rest as text.
struct SRow {
    int32_t id;
    int32_t kind;
    int32_t sub;
    std::string script;
    std::string once = "";
    int32_t priority = 0;
    std::string setting = "";
    std::string next = "";
    std::string picture = "";
    int32_t target = 0;
    int32_t outcomeClass = 0;
};

inline std::vector<uint8_t> ReadNative(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads a 200 × 150 24-bit bitmap as 0xRRGGBB pixels, top row first.
inline std::vector<uint32_t> ReadThumbnail(const std::vector<uint8_t>& bmp) {
    std::vector<uint32_t> out;
    if (bmp.size() < 54 + 600 * 150 || bmp[0] != 'B' || bmp[28] != 24) return out;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            const uint8_t* p = &bmp[54 + static_cast<size_t>(149 - y) * 600 + static_cast<size_t>(x) * 3];
            out.push_back(static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0]);
        }
    }
    return out;
}

// A choice line continuing a "select" row.
inline SRow Choice(const std::string& picture, int32_t target) { return SRow{0, 0, 0, "", "", 0, "", "", picture, target}; }

inline std::string ScriptPath(const std::string& name) { return "scr\\t\\" + name + ".txt"; }

// A fresh status on which every mansion menu button is enabled: past the first turn
// (year 1, month 5, week 1), stamina and money for every action, rank 2 and the job open.
inline void SetPlayableStatus(CStatus& s) {
    SStatusWords& w = s.Words();
    w = SStatusWords{};
    w.year = 1;
    w.month = 5;
    w.week = 1;
    w.stamina = 100;
    w.money = 1000;
    w.evaluationTotal = 300;
    s.SetParam(0, 0, 1);
    s.SetParam(106, 15, 10);
}

// A stand-in mode: runs its hook on the first update, then ends.
class CStubMode : public CModeState {
public:
    CStubMode(CRaisingScene& owner, std::function<void(CRaisingScene&)> hook) : CModeState(owner), m_Hook(std::move(hook)) {}
    void Update() override {
        if (m_Done) return;
        m_Done = true;
        if (m_Hook) m_Hook(m_Owner);
        m_Owner.ClearMode();
    }

private:
    std::function<void(CRaisingScene&)> m_Hook;
    bool m_Done = false;
};

class InGameFixture : public ::testing::Test {
protected:
    static constexpr int kStubs[] = {4, 5, 6, 13, 14, 15, 16, 17};

    InGameFixture() { SetDebugOutputEnabled(false); }
    ~InGameFixture() override {
        dp.reset();
        SetDebugOutputEnabled(true);
    }

    // The game, its folder holding the event table of `rows` with their scripts;
    // `prepare` writes more.
    void Build(const std::vector<SRow>& rows, std::function<void(const std::string&)> prepare = {}) {
        dp = std::make_unique<screentest::CGameDriver>(MakeSetup(rows, std::move(prepare)));
    }
    screentest::CGameDriver& D() { return *dp; }

    screentest::CGameDriver::SSetup MakeSetup(const std::vector<SRow>& rows, std::function<void(const std::string&)> prepare) {
        screentest::CGameDriver::SSetup s;
        s.prepare = [this, rows, prepare](const std::string& folder) {
            stagetest::WriteStageData(folder, &probe);
            WriteTable(folder, rows);
            if (prepare) prepare(folder);
        };
        s.inGameSceneMaker = [this](CGameMain& game, bool fresh) -> std::unique_ptr<IInGameScene> {
            auto scene = std::make_unique<CRaisingScene>(game, fresh);
            Equip(*scene);
            if (!fresh) kept = scene.get();
            return scene;
        };
        return s;
    }

    // The script commands and the recording factory on a scene.
    void Equip(CRaisingScene& scene) {
        scene.SetStageSetup([this](CMainGameScene& stage) {
            commands.push_back(std::make_unique<stagetest::CCommands>(stage));
            stage.SetTranslatorFactory(commands.back().get());
        });
        for (int32_t id = 1; id <= CInGameModeFactory::kMaxModeId; ++id) {
            scene.GetModeFactory().SetMaker(id, [this, id](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
                modes.push_back(id);
                for (int stub : kStubs) {
                    if (stub == id) return std::make_unique<CStubMode>(owner, [this, id](CRaisingScene& s) {
                        if (hooks.count(id)) hooks[id](s);
                    });
                }
                return CInGameModeFactory(owner).CreateMode(id);
            });
        }
    }

    static void WriteTable(const std::string& folder, const std::vector<SRow>& rows) {
        std::string csv;
        std::filesystem::create_directories(kit::NativeFilePath(folder, "scr\\t"));
        for (const SRow& r : rows) {
            csv += "label," + std::to_string(r.id) + "," + std::to_string(r.kind) + "," + std::to_string(r.sub) + ",0,t," +
                   r.script + "," + r.once + "," + std::to_string(r.priority) + ",," + r.setting + "," + r.next + "," +
                   r.picture + "," + (r.target ? std::to_string(r.target) : "") + "," + std::to_string(r.outcomeClass) +
                   ",0,0\n";
            if (r.script.empty()) continue;
            // A script that waits a frame and ends.
            stagetest::WriteScript(ScriptPath(r.script), {stagetest::Record(1, 2, 0)});
        }
        ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\event.csv"), {csv.begin(), csv.end()}));
    }

    // The scripts the scene played, by the log's "スクリプト再生:" lines.
    std::vector<std::string> Played() const {
        std::vector<std::string> out;
        const std::string mark = "スクリプト再生:scr\\t\\";
        for (const std::string& line : log.GetLines()) {
            const size_t at = line.find(mark);
            if (at == std::string::npos) continue;
            std::string name = line.substr(at + mark.size());
            if (name.size() > 4) name.resize(name.size() - 4);
            out.push_back(name);
        }
        return out;
    }

    // The kept scene running (scene 19 entered by a cut) with its step machine parked,
    // so that a test drives it by hand.
    void EnterParked() {
        ASSERT_NE(kept, nullptr);
        kept->State().m_Step = CRaisingScene::kStepNone;
        D().Start(19);
        ASSERT_TRUE(D().Frame());
        D().Game().GetSystemData().m_MessageSpeed = 100;
    }
    // Frames until `done` holds (at most `limit`); false when it never did.
    bool RunUntil(const std::function<bool()>& done, int limit = 600) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (!D().Frame()) return false;
        }
        return done();
    }
    // How many lines of the stage's message log read `text`.
    int Logged(const std::string& text) {
        const CMessageWindow& w = kept->Stage().GetWindow();
        int n = 0;
        for (size_t k = 0; k < w.GetLogCount(); ++k) n += w.GetLogLine(k)->m_Text == text ? 1 : 0;
        return n;
    }
    // No mode runs and none is asked for.
    bool ModeEnded() { return kept->IsModeIdle() && kept->GetModeManager().GetPendingCommandCount() == 0; }
    // Plays an event by id as a step of the game would, and waits for its mode to end.
    bool PlayById(int32_t id) {
        kept->StartEventById(id);
        kept->SetMode(2, 0, 0);
        return RunUntil([this] { return ModeEnded() && !kept->IsSelectionShown(); });
    }

    CLogCapture log;
    std::vector<std::unique_ptr<stagetest::CCommands>> commands;
    std::vector<int32_t> modes;
    std::map<int32_t, std::function<void(CRaisingScene&)>> hooks;
    CRaisingScene* kept = nullptr;
    screentest::CSheetProbe probe;
    std::unique_ptr<screentest::CGameDriver> dp;
};

}  // namespace ingametest
