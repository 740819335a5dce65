// The letter scene on a real stage: the envelope, the paper and the letter on layer 100
// by pixel probes, the voice in the bank and its fade, black at the end.
#include <gtest/gtest.h>

#include "engine/draw/SceneManager.h"
#include "game/raising/letter/LetterList.h"
#include "game/raising/letter/LetterScene.h"
#include "game/raising/letter/LetterStageHost.h"
#include "tests/game/raising/letter/LetterTestHost.h"
#include "tests/game/stage/scene/StageTestUtil.h"

namespace {

using CStageHost = lettertest::CFakeRaising<CLetterStageHost>;

// The mode host over a real stage: the stage takes the frame first, the letter steps
// only when the stage did not; the stage draws with the letter over its pictures.
class CStageLetterScene : public CSceneBase, public CSceneObjectBase {
public:
    void Load() override {
        stage = std::make_unique<CMainGameScene>(GetGameMain(), nullptr, false);
        host = std::make_unique<CStageHost>(*stage);
        host->AddRow(1, "scr\\letter\\a.txt");
        host->selections = {1};
        letter = std::make_unique<CLetterScene>(*GetGameMain(), *host);
        letter->Load();
    }
    void Update() override {
        if (host->script > 0) --host->script;
        if (!stage->UpdateStage()) letter->Update();
    }
    void Draw() override { stage->DrawWithScreen(letter.get()); }

    std::unique_ptr<CMainGameScene> stage;
    std::unique_ptr<CStageHost> host;
    std::unique_ptr<CLetterScene> letter;
};

class CScenes : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id != stagetest::kHostScene) return nullptr;
        auto scene = std::make_unique<CStageLetterScene>();
        current = scene.get();
        return scene;
    }
    CStageLetterScene* current = nullptr;
};

const char* const kEnvelope = "obj\\letter\\t000_000.bmp";
const char* const kPaper = "obj\\letter\\t000_001.bmp";
const char* const kLetter = "obj\\letter\\a.bmp";

class LetterScreenTest : public ::testing::Test {
protected:
    LetterScreenTest() : d(MakeSetup()) {
        CLetterList::GetInstance().Load("cfg\\letter.csv");
        d.Game().GetSystemData().m_MessageSpeed = 100;
        d.Start(stagetest::kHostScene);
        d.Frame();
    }
    ~LetterScreenTest() override { SetDebugOutputEnabled(true); }
    screentest::CGameDriver::SSetup MakeSetup() {
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &m_Scenes;
        s.prepare = [this](const std::string& folder) {
            stagetest::WriteStageData(folder, &m_Probe);
            for (const char* picture : {kEnvelope, kPaper, kLetter}) m_Probe.Write(folder, kit::MakeSheet(picture, 800, 600));
            const std::string table = "scr\\letter\\a.txt,obj\\letter\\a.bmp,lu1_a/lu1_b\n";
            kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\letter.csv"), {table.begin(), table.end()});
            kit::WriteBytes(kit::NativeFilePath(folder, "voice\\lu1_a.ogg"), kit::MakeShortWave(1, 5000));
            kit::WriteBytes(kit::NativeFilePath(folder, "voice\\lu1_b.ogg"), kit::MakeShortWave(2, 500));
        };
        return s;
    }
    int32_t State() { return m_Scenes.current->letter->GetState(); }
    // Frames until the state is reached, reading every line the stage shows.
    bool RunTo(int32_t state, int limit = 300) {
        for (int i = 0; i < limit && State() != state; ++i) {
            if (State() == 201) d.Press();
            d.Frame();
        }
        return State() == state;
    }
    std::string Cell() { return m_Probe.At(d.Pixels(), 400, 100).Describe(); }

    CScenes m_Scenes;
    screentest::CSheetProbe m_Probe;
    screentest::CGameDriver d;
};

}  // namespace

TEST_F(LetterScreenTest, EnvelopePaperAndLetterComeInOnLayer100AndTheScreenEndsBlack) {
    d.Frame(20);
    EXPECT_EQ(State(), 1);
    EXPECT_EQ(Cell(), "no cell") << "the envelope fading in";
    ASSERT_TRUE(RunTo(200));
    d.Frame();

    EXPECT_EQ(Cell(), std::string(kEnvelope) + " (0, 0)") << "the envelope with the line";
    ASSERT_TRUE(RunTo(4));
    d.Frame();
    EXPECT_EQ(State(), 5);
    EXPECT_EQ(Cell(), std::string(kPaper) + " (0, 0)") << "the paper as the letter begins to come in";
    d.Sounds().Take();
    ASSERT_TRUE(RunTo(6));
    EXPECT_EQ(Cell(), std::string(kLetter) + " (0, 0)");
    EXPECT_TRUE(d.Game().GetSoundBank().IsPlaying(2, 0));
    EXPECT_EQ(d.Game().GetSoundBank().GetName(2, 0), "voice\\lu1_a.ogg") << "the first voice of the letter";

    d.Press();
    d.Frame(2);
    ASSERT_EQ(State(), 30);
    d.Frame(25);
    EXPECT_TRUE(d.Game().GetSoundBank().IsPlaying(2, 0)) << "fading out over 500 ms";
    d.Frame(10);
    EXPECT_FALSE(d.Game().GetSoundBank().IsPlaying(2, 0));
    ASSERT_TRUE(RunTo(53));
    d.Frame();
    EXPECT_EQ(d.Pixels().At(400, 100), 0u) << "black once the mode ends";
    EXPECT_TRUE(m_Scenes.current->host->state.GetStatus().HasReadLetter(kLetter));
}
