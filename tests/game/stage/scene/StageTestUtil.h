#pragma once
// A stage on the whole game object: a host scene (30) that updates and draws it, plain
// scenes for the calls it makes, a small command set (no-op, wait, line, balloon,
// window on) standing in for the game's command table, and a game folder with the
// window's pictures, sounds and the stage's small tables.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/adv/AdvCommandControl.h"
#include "engine/base/Log.h"
#include "engine/draw/SceneFactory.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SystemData.h"
#include "game/raising/event/EventRow.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/Sheet.h"
#include "tools/kit/SoundFiles.h"

namespace stagetest {

constexpr int32_t kHostScene = 30;
constexpr const char* kRedirected = "se\\voice\\lux_0001.ogg";

class COwner : public IStageOwner {
public:
    const EventRow* GetPendingEvent() const override { return pending ? &row : nullptr; }
    void SetPanelOpenMirror(bool open) override { mirror.push_back(open); }
    void StepHintWindow() override { ++hintSteps; }
    void RebuildStage() override { ++rebuilds; }

    bool pending = false;
    EventRow row;
    std::vector<bool> mirror;
    int hintSteps = 0;
    int rebuilds = 0;
};

// Codes 0 (nothing), 2 (wait), 3 (window on), 5 (line) and 6 (balloon) as the command
// table gives them.
class CCommands : public IAdvTranslatorFactory, public IAdvTranslator {
public:
    explicit CCommands(CMainGameScene& stage) : m_Stage(stage) {}
    IAdvTranslator* Create(uint32_t code) override {
        m_Code = code;
        return this;
    }
    void Release(IAdvTranslator*) override {}
    int32_t Translate(CAdvCommand& r) override {
        const CSaveRecordStrings line{r.Strings[0], r.Strings[1], r.Strings[2], r.Ints[0], r.Ints[1]};
        switch (m_Code) {
            case 2:
                m_Stage.SetWait(r.Ints[0] + 2, r.Ints[1], r.Ints[2], r.Ints[3], r.Ints[4]);
                return 1;
            case 3:
                m_Stage.SetMessageOn();
                return 2;
            case 5:
                m_Stage.ShowMessage(line);
                return 1;
            case 6:
                m_Stage.ShowBalloon(r.Ints[11], r.Ints[10], line, r.Ints[12] != 0);
                return 1;
            default:
                return 2;
        }
    }

private:
    CMainGameScene& m_Stage;
    uint32_t m_Code = 0;
};

class CHost : public CSceneBase, public CSceneObjectBase {
public:
    CHost(COwner* owner, bool branch) : m_Owner(owner), m_Branch(branch) {}
    void Load() override {
        stage = std::make_unique<CMainGameScene>(GetGameMain(), m_Owner, m_Branch);
        commands = std::make_unique<CCommands>(*stage);
        stage->SetTranslatorFactory(commands.get());
    }
    void Update() override {
        if (shown) results.push_back(shown->UpdateStage());
    }
    void Draw() override {
        if (drawHook) {
            drawHook();
        } else if (shown) {
            shown->Draw();
        }
    }

    std::unique_ptr<CMainGameScene> stage;
    std::unique_ptr<CCommands> commands;
    CMainGameScene* shown = nullptr;
    std::function<void()> drawHook;
    std::vector<bool> results;

private:
    COwner* m_Owner;
    bool m_Branch;
};

class CPlain : public CSceneBase, public CSceneObjectBase {};

class CScenes : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        ++made[id];
        if (id == kHostScene) {
            auto h = std::make_unique<CHost>(&owner, branch);
            host = h.get();
            return h;
        }
        return std::make_unique<CPlain>();
    }
    COwner owner;
    bool branch = false;
    CHost* host = nullptr;
    std::map<int32_t, int> made;
};

inline CAdvCommand Record(uint32_t id, uint32_t code, uint32_t next) {
    CAdvCommand r;
    r.Id = id;
    r.Code = code;
    r.NextId = next;
    return r;
}

inline CAdvCommand Line(uint32_t id, uint32_t next, const std::string& text, const std::string& voice = "") {
    CAdvCommand r = Record(id, 5, next);
    r.Strings[0] = "name";
    r.Strings[1] = text;
    r.Strings[2] = voice;
    r.Ints[0] = 100;
    return r;
}

// Writes a compiled script (game path) whose records are given with their ids.
inline void WriteScript(const std::string& path, const std::vector<CAdvCommand>& records) {
    CAdvCommandControl script;
    for (const CAdvCommand& r : records) script.Append(r);
    ASSERT_TRUE(script.SaveCompiled(path));
}

// The window's pictures in the sizes of its note, sounds under every name the tests
// play, and the stage's tables.
inline void WriteStageData(const std::string& folder, screentest::CSheetProbe* probe) {
    probe->Write(folder, kit::MakeSheet("obj\\f000_001.bmp", 800, 184));
    probe->Write(folder, kit::MakeSheet("obj\\f000_002.bmp", 192, 32, 6, 1));
    probe->Write(folder, kit::MakeSheet("obj\\f000_000.bmp", 6480, 160, 9, 1));
    probe->Write(folder, kit::MakeSheet("obj\\f000_003.bmp", 960, 200, 12, 5));
    probe->Write(folder, kit::MakeSheet("obj\\f000_004.bmp", 124, 155, 2, 5));
    probe->Write(folder, kit::MakeSheet("obj\\f000_005.bmp", 237, 120, 3, 5));
    probe->Write(folder, kit::MakeSheet("bg\\room.bmp", 800, 600, 4, 3));
    probe->Write(folder, kit::MakeSheet("bg\\house.bmp", 800, 600, 4, 3));
    probe->Write(folder, kit::MakeSheet("obj\\girl.bmp", 200, 400, 1, 2));
    probe->Write(folder, kit::MakeSheet("obj\\b000_010.bmp", 352, 160));
    probe->Write(folder, kit::MakeSheet("obj\\f000_007.bmp", 352, 160));
    probe->Write(folder, kit::MakeSheet("obj\\b000_011.bmp", 256, 160, 2, 5));
    uint32_t seed = 10;
    for (const char* name : {"voice\\me_0001.ogg", "voice\\zz_0001.ogg", "voice\\me_0002.ogg", kRedirected,
                             "se\\voice\\wax_0002.ogg", "se\\se_001.ogg", "se\\se_220.ogg", "se\\se_27b.ogg",
                             "se\\se_476.ogg", "bgm\\a.ogg", "bgm\\b.ogg", "bgm\\bgm_001.ogg"}) {
        ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, name), kit::MakeShortWave(seed++, 2000)));
    }
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\stage_voice.txt"),
                                {kRedirected, kRedirected + std::strlen(kRedirected)}));
    const std::string house = "1, bg\\house.bmp\n2, bg\\room.bmp\n";
    ASSERT_TRUE(kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\stage_house.txt"), {house.begin(), house.end()}));
}

class StageFixture : public ::testing::Test {
protected:
    StageFixture() : d(MakeSetup()) {}
    ~StageFixture() override { SetDebugOutputEnabled(true); }

    screentest::CGameDriver::SSetup MakeSetup() {
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &scenes;
        s.prepare = [this](const std::string& folder) { WriteStageData(folder, &probe); };
        return s;
    }
    // The host scene with its stage, after its first frame.
    void Begin(bool branch = false) {
        scenes.branch = branch;
        d.Start(kHostScene);
        ASSERT_TRUE(d.Frame());
        ASSERT_NE(scenes.host, nullptr);
        scenes.host->shown = scenes.host->stage.get();
        Settings().m_MessageSpeed = 100;
    }
    CMainGameScene& Stage() { return *scenes.host->stage; }
    CSystemData& Settings() { return d.Game().GetSystemData(); }
    CSoundBank& Bank() { return d.Game().GetSoundBank(); }
    bool LastResult() { return scenes.host->results.back(); }
    int32_t CurrentScene() { return d.Game().GetSceneManager().GetCurrentSceneId(); }
    // The cursor rests on a window button long enough for the buttons to take input.
    void HoverButton(int32_t x, int32_t y) {
        d.Move(x, y);
        ASSERT_TRUE(d.Frame(10));
    }
    // Runs one frame with a left click at the point.
    void ClickAt(int32_t x, int32_t y) {
        d.Click(x, y);
        ASSERT_TRUE(d.Frame());
    }

    CScenes scenes;
    screentest::CSheetProbe probe;
    screentest::CGameDriver d;
};

}  // namespace stagetest
