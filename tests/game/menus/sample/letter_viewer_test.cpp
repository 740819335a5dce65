// The letter viewer: each letter's log line, picture and voices, the key that plays its
// script on the stage, the Ctrl key passing every letter, and tables that give nothing.
#include <gtest/gtest.h>

#include "engine/adv/AdvCommandControl.h"
#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/InGameScene.h"
#include "game/menus/sample/LetterViewerScene.h"
#include "game/stage/scene/MainGameScene.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/SoundFiles.h"

namespace {

// A stage whose scripts end in the update after they start, as a script of one record does.
class CFakeStage : public ILetterViewerStage {
public:
    bool StartScript(const std::string& path) override {
        started.push_back(path);
        running = true;
        ended = false;
        return true;
    }
    bool GetScriptEndFlag() const override { return ended; }
    void Update() override {
        ++updates;
        if (running) {
            running = false;
            ended = true;
        }
    }
    void Draw() override { ++draws; }
    void OnDeviceRestored() override { ++restores; }

    std::vector<std::string> started;
    bool running = false;
    bool ended = false;
    int updates = 0;
    int draws = 0;
    int restores = 0;
};

class CViewerFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id != 26 || !game) return nullptr;
        auto owned = std::make_unique<CFakeStage>();
        stage = owned.get();
        return std::make_unique<CLetterViewerScene>(*game, std::move(owned));
    }
    CGameMain* game = nullptr;
    CFakeStage* stage = nullptr;
};

const char* const kTable =
    "scr\\letter\\l1.txt,obj\\letter\\l1.bmp,lu1_a/lu1_b\n"
    "scr\\letter\\l2.txt,obj\\letter\\l2.bmp,\n";

class LetterViewerTest : public ::testing::Test {
protected:
    // `table` null writes no table.
    void Open(const char* table) {
        screentest::CGameDriver::SSetup setup;
        setup.sceneFactory = &m_Factory;
        setup.prepare = [table](const std::string& folder) {
            if (table) {
                const std::string text = table;
                testsupport::MakeParentDirs(folder + "cfg/letter.csv");
                testsupport::WriteFileBytes(folder + "cfg/letter.csv", std::vector<uint8_t>(text.begin(), text.end()));
            }
            testsupport::MakeParentDirs(folder + "voice/x");
            testsupport::WriteFileBytes(folder + "voice/lu1_a.ogg", kit::MakeShortWave(1, 40));
            testsupport::WriteFileBytes(folder + "voice/lu1_b.ogg", kit::MakeShortWave(2, 40));
            kit::WriteSheet(folder, kit::MakeSheet("obj\\letter\\l1.bmp", 400, 300));
            kit::WriteSheet(folder, kit::MakeSheet("obj\\letter\\l2.bmp", 400, 300));
        };
        m_Driver.reset();  // its game folder scope ends first
        SetDebugOutputEnabled(false);
        m_Driver = std::make_unique<screentest::CGameDriver>(setup);
        SetDebugOutputEnabled(true);
        m_Factory.game = &D().Game();
        D().Probe().Add(kit::MakeSheet("obj\\letter\\l1.bmp", 400, 300));
        D().Probe().Add(kit::MakeSheet("obj\\letter\\l2.bmp", 400, 300));
        D().Start(26);
    }
    screentest::CGameDriver& D() { return *m_Driver; }
    CLetterViewerScene& Scene() {
        auto* scene = dynamic_cast<CLetterViewerScene*>(D().Game().GetSceneManager().GetCurrentScene());
        if (!scene) throw std::runtime_error("the viewer is not current");
        return *scene;
    }
    // The log's letter lines.
    std::vector<std::string> Letters() const {
        std::vector<std::string> out;
        for (const std::string& l : m_Log.GetLines())
            if (l.rfind("[Script]", 0) == 0) out.push_back(l);
        return out;
    }
    std::string Cell(int32_t x, int32_t y) { return D().Probe().At(D().Pixels(), x, y).Describe(); }

    CLogCapture m_Log;
    CViewerFactory m_Factory;
    std::unique_ptr<screentest::CGameDriver> m_Driver;
};

}  // namespace

TEST_F(LetterViewerTest, EachLetterIsLoggedShownVoicedAndItsScriptPlayed) {
    Open(kTable);
    D().Frame();
    EXPECT_EQ(D().Game().m_ReplayFlag, 1) << "no automatic save from the viewer";
    ASSERT_EQ(Scene().GetState(), CLetterViewerScene::STATE_SHOWING);
    EXPECT_EQ(Letters(), std::vector<std::string>{
                             "[Script] scr\\letter\\l1.txt : [BMP] obj\\letter\\l1.bmp : [Voice] voice\\lu1_a.ogg/voice\\lu1_b.ogg"});
    EXPECT_EQ(Cell(0, 0), "obj\\letter\\l1.bmp (0, 0)");
    EXPECT_EQ(Cell(399, 299), "obj\\letter\\l1.bmp (0, 0)");
    EXPECT_EQ(D().Pixels().At(400, 300), 0u) << "black around the picture";
    D().Frame(20);  // the letter waits for a key while both voices play in turn
    EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_SHOWING);
    EXPECT_EQ(D().Sounds().Take(), (std::vector<std::string>{"bank 2 0 voice\\lu1_a.ogg", "bank 2 0 voice\\lu1_b.ogg"}));

    D().Key(VKey::kSpace);
    D().Frame();
    EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_SCRIPT);
    EXPECT_EQ(m_Factory.stage->started, std::vector<std::string>{"scr\\letter\\l1.txt"});
    EXPECT_EQ(m_Factory.stage->draws, 1) << "the stage draws while its script runs";
    EXPECT_TRUE(D().Probe().Absent(D().Pixels(), "obj\\letter\\l1.bmp", 0, 0));
    D().Frame();
    EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_NEXT);
    EXPECT_EQ(Scene().GetIndex(), 1);

    D().Frame();
    EXPECT_EQ(Letters().size(), 2u);
    EXPECT_EQ(Letters()[1], "[Script] scr\\letter\\l2.txt : [BMP] obj\\letter\\l2.bmp : [Voice] ");
    EXPECT_EQ(Cell(0, 0), "obj\\letter\\l2.bmp (0, 0)");
    EXPECT_TRUE(D().Sounds().Take().empty()) << "an empty voice field plays nothing";
    D().Key(VKey::kEscape);
    D().Frame(3);
    EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_FINISHED);
    const int updates = m_Factory.stage->updates;
    D().Frame(5);
    EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_FINISHED);
    EXPECT_EQ(m_Factory.stage->updates, updates + 5) << "the stage keeps updating at the end";
    EXPECT_EQ(Letters().size(), 2u);
}

TEST_F(LetterViewerTest, AMissingOrEmptyTableFinishesAtTheFirstUpdate) {
    for (const char* table : {static_cast<const char*>(nullptr), ""}) {
        SCOPED_TRACE(table ? "empty" : "missing");
        Open(table);
        D().Frame();
        EXPECT_EQ(Scene().GetState(), CLetterViewerScene::STATE_FINISHED);
        EXPECT_EQ(D().Game().m_ReplayFlag, table ? 1 : 0);
        EXPECT_TRUE(Letters().empty());
    }
}

namespace {

// A kept in-game scene that is nothing but its stage.
class CStageOnlyScene : public IInGameScene {
public:
    explicit CStageOnlyScene(CGameMain& game) : stage(&game, nullptr, false) {}
    void WriteSave(CSaveData&) override {}
    void RestoreFromSave(const CSaveData&) override {}
    bool RenderToTexture(const std::string&) override { return false; }
    CMainGameScene* GetStage() override { return &stage; }
    CMainGameScene stage;
};

class CGameViewerFactory : public ISceneFactory {
public:
    explicit CGameViewerFactory(CGameMain** game) : m_Game(game) {}
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        return id == 26 ? std::make_unique<CLetterViewerScene>(**m_Game, MakeKeptLetterViewerStage(**m_Game)) : nullptr;
    }

private:
    CGameMain** m_Game;
};

}  // namespace

// Ctrl held passes each letter as soon as its picture shows.
TEST(LetterViewerStageTest, TheKeptScenesStagePlaysEachLettersScript) {
    CGameMain* game = nullptr;
    CGameViewerFactory factory(&game);
    screentest::CGameDriver::SSetup setup;
    setup.sceneFactory = &factory;
    setup.inGameSceneMaker = [](CGameMain& g, bool) -> std::unique_ptr<IInGameScene> {
        return std::make_unique<CStageOnlyScene>(g);
    };
    setup.prepare = [](const std::string& folder) {
        const std::string text = "scr\\l\\one.txt,obj\\l1.bmp,\nscr\\l\\missing.txt,obj\\l2.bmp,\n";
        kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\letter.csv"), {text.begin(), text.end()});
    };
    SetDebugOutputEnabled(false);
    screentest::CGameDriver d(setup);
    game = &d.Game();
    CAdvCommandControl script;
    CAdvCommand end;
    end.Id = 1;
    script.Append(end);
    testsupport::MakeParentDirs(d.Folder() + "scr/l/one.txt");
    ASSERT_TRUE(script.SaveCompiled("scr\\l\\one.txt"));
    CLogCapture log;
    d.Start(26);
    d.Game().GetKeyboard().KeyDown(VKey::kControl);
    std::vector<int32_t> states;
    for (int i = 0; i < 8; ++i) {
        d.Frame();
        states.push_back(dynamic_cast<CLetterViewerScene*>(d.Game().GetSceneManager().GetCurrentScene())->GetState());
    }
    SetDebugOutputEnabled(true);
    EXPECT_EQ(states, (std::vector<int32_t>{1, 2, 0, 1, 2, 0, -1, -1}));
    auto* stage = d.Game().GetRaisingScene()->GetStage();
    EXPECT_TRUE(stage->GetScriptEndFlag());
    EXPECT_TRUE(log.Contains("CLetterViewerScene::Update() スクリプトを再生できません[scr\\l\\missing.txt]"))
        << "a script that cannot start is passed";
    EXPECT_FALSE(log.Contains("[scr\\l\\one.txt]"));
}
