// Saves of the in-game scene through the save file into a fresh game object, the save
// thumbnail and the overlays it shares with the frame, and the relay scenes with the
// real scene.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "engine/d3d/ScreenRendererProxy.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SaveData.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/EventModes.h"

namespace {

using namespace ingametest;
using screentest::SFrame;

std::vector<SRow> SaveRows() {
    return {{1, 0, 0, "e00"}, {2, 0, 1, "e01"}, {3, 60, 0, "e60"}, {4, 3, 0, "e03"}, {5, 22, 0, "e22"},
            {6, 5, 0, "e50"},  {30, 73, 0, "select", "", 0, "", "select", "two", 31}, Choice("two", 32),
            {31, 74, 0, "first"}, {32, 74, 1, "second"}, {40, 90, 0, "replayed", "", 0, "[104_0]+=9"}};
}

class SaveTest : public InGameFixture {
protected:
    void Make() {
        Build(SaveRows(), [this](const std::string& folder) {
            probe.Write(folder, kit::MakeSheet(CSelectionScene::kFramePicture, 352, 240));
            probe.Write(folder, kit::MakeSheet("obj\\selection\\two.bmp", 544, 200, 2, 5));
        });
        hooks[15] = [](CRaisingScene& s) { s.Status().Words().satietyPercent = 60; };
    }
    // Writes the running game to the save file and builds a fresh game that reads it.
    CSaveData SaveAndReload() {
        D().Game().WriteCurrentSave();
        const CSaveData written = D().Game().GetSaveData();
        EXPECT_TRUE(D().Game().GetSaveData().Save(CSaveData::SlotPath(1)));
        const std::vector<uint8_t> bytes = ReadNative(kit::NativeFilePath(D().Folder(), CSaveData::SlotPath(1)));
        EXPECT_FALSE(bytes.empty()) << kit::NativeFilePath(D().Folder(), CSaveData::SlotPath(1));
        kept = nullptr;
        // The old game (and its folder scope) goes before the new one comes.
        dp.reset();
        commands.clear();
        Make();
        EXPECT_TRUE(kit::WriteBytes(kit::NativeFilePath(D().Folder(), CSaveData::SlotPath(1)), bytes));
        EXPECT_TRUE(D().Game().GetSaveData().Load(CSaveData::SlotPath(1)));
        EXPECT_NE(kept, nullptr);
        kept->RestoreFromSave(D().Game().GetSaveData());
        D().Start(19);
        log.Clear();
        modes.clear();
        return written;
    }
};

TEST_F(SaveTest, AModeWithWordsComesBackWithItsStep) {
    Make();
    D().Start(21);
    // Mode 8 waits for its event's script in the second week.
    ASSERT_TRUE(RunUntil([this] {
        auto* mode = kept ? dynamic_cast<CEventMode*>(kept->GetCurrentMode()) : nullptr;
        return mode != nullptr && mode->GetStep() == 1;
    }, 3000));
    const CSaveData written = SaveAndReload();
    const CGameState& saved = written.GetGameState();
    EXPECT_EQ(saved.m_ModeId, CEventMode::kModeId);
    EXPECT_EQ(saved.GetModeWord(CEventMode::kModeId, 0), 1);
    auto* mode = dynamic_cast<CEventMode*>(kept->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->GetStep(), 1);
    EXPECT_EQ(kept->GetStep(), saved.m_Step);
    ASSERT_NE(kept->GetPendingEvent(), nullptr);
    EXPECT_EQ(kept->GetPendingEvent()->id, 6);
    EXPECT_TRUE(kept->State() == saved);
    // The restored game goes on to the next mode.
    ASSERT_TRUE(RunUntil([this] { return std::find(modes.begin(), modes.end(), 16) != modes.end(); }, 300));
    EXPECT_TRUE(Played().empty()) << "the pending event is not played again";
}

TEST_F(SaveTest, ASelectionOnScreenIsShownAgain) {
    Make();
    EnterParked();
    kept->StartEventById(30);
    kept->SetMode(2, 0, 0);
    auto open = [this] { return kept->GetSelectionMode().GetSelection().GetState() == CSelectionScene::STATE_OPEN; };
    ASSERT_TRUE(RunUntil(open));
    ASSERT_TRUE(D().Frame());
    const SFrame before = D().Pixels();
    SaveAndReload();
    EXPECT_TRUE(kept->IsSelectionShown());
    EXPECT_EQ(kept->GetSelectionMode().GetSelection().GetState(), CSelectionScene::STATE_OPENING);
    EXPECT_EQ(kept->State().m_FollowUpPhase, 1);
    ASSERT_TRUE(RunUntil(open));
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(D().Pixels().pixels == before.pixels) << "the same screen comes back";
    D().Click(300, 330);
    ASSERT_TRUE(RunUntil([this] { return kept->GetPendingEvent() == nullptr && ModeEnded(); }));
    EXPECT_EQ(Played(), std::vector<std::string>{"second"});
}

TEST_F(SaveTest, BetweenModesAndAfterTheEndOfPlayNothingOfAModeIsWritten) {
    Make();
    EnterParked();
    kept->State().m_Step = 42;
    const CSaveData written = SaveAndReload();
    EXPECT_EQ(kept->GetCurrentMode(), nullptr);
    EXPECT_EQ(kept->GetStep(), 42);
    EXPECT_TRUE(kept->RenderToTexture("save\\save02.bmp"));
}

TEST_F(SaveTest, TheThumbnailIsTheScreenBoxFilteredTo200By150) {
    Make();
    EnterParked();
    kept->GetModeFactory().SetMaker(18, [](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
        class CShow : public CModeState {
        public:
            using CModeState::CModeState;
            void Draw() override { m_Owner.Stage().Draw(); }
            void PrepareThumbnail() override { DrawStageThumbnail(m_Owner); }
        };
        return std::make_unique<CShow>(owner);
    });
    ASSERT_TRUE(kept->Stage().ShowPicture(200, "obj\\girl.bmp"));
    kept->Stage().ShowLayer(200);
    kept->SetMode(18, 0, 0);
    ASSERT_TRUE(D().Frame(3));
    const SFrame screen = D().Pixels();
    ASSERT_GT(std::count_if(screen.pixels.begin(), screen.pixels.end(), [](uint32_t p) { return (p & 0xFFFFFF) != 0; }),
              10000)
        << "the screen shows the stage's pictures";
    ASSERT_TRUE(D().Game().RenderGameToTexture("save\\save01.bmp"));
    const std::vector<uint32_t> thumb =
        ReadThumbnail(ReadNative(kit::NativeFilePath(D().Folder(), "save\\save01.bmp")));
    ASSERT_EQ(thumb.size(), 200u * 150u);
    int far = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            int sum[3] = {};
            for (int j = 0; j < 4; ++j) {
                for (int i = 0; i < 4; ++i) {
                    const uint32_t p = screen.At(x * 4 + i, y * 4 + j);
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            }
            const uint32_t t = thumb[static_cast<size_t>(y) * 200 + x];
            const int d = std::abs(sum[0] / 16 - static_cast<int>((t >> 16) & 0xFF)) +
                          std::abs(sum[1] / 16 - static_cast<int>((t >> 8) & 0xFF)) + std::abs(sum[2] / 16 - static_cast<int>(t & 0xFF));
            if (d > 12) ++far;
        }
    }
    EXPECT_LT(far, 200 * 150 / 100) << "pixels away from the box-filtered screen";
}

TEST_F(SaveTest, NoThumbnailUnderTheGdiRenderer) {
    struct SGdi {
        SGdi() { CScreenRendererProxy::SetForceGdi(true); }
        ~SGdi() { CScreenRendererProxy::SetForceGdi(false); }
    } gdi;
    Make();
    EnterParked();
    EXPECT_FALSE(D().Game().RenderGameToTexture("save\\save01.bmp"));
    EXPECT_FALSE(std::ifstream(kit::NativeFilePath(D().Folder(), "save\\save01.bmp")).good());
}

TEST_F(SaveTest, AReplayPlaysInAFreshSceneAndLeavesTheSaveRecordAlone) {
    Make();
    EnterParked();
    kept->Status().SetParam(104, 0, 5);
    D().Game().WriteCurrentSave();
    const CSaveData before = D().Game().GetSaveData();
    // As the play view does it: the flag, the event, a call of relay 22 keeping the caller.
    D().Game().m_ReplayFlag = 1;
    D().Game().m_ReplayEventId = 40;
    D().Game().GetSceneManager().CallKeep(22);
    D().Game().GetSceneManager().Transition(0, 0);
    ASSERT_TRUE(RunUntil([this] { return D().Game().GetSceneManager().GetCurrentSceneId() == 20; }, 60));
    // The fresh scene returns to its caller.
    ASSERT_TRUE(RunUntil([this] { return D().Game().GetSceneManager().GetCurrentSceneId() == 19; }, 300));
    EXPECT_EQ(Played(), std::vector<std::string>{"replayed"});
    EXPECT_EQ(D().Game().m_ReplayFlag, 0);
    D().Game().WriteCurrentSave();
    EXPECT_EQ(D().Game().GetSaveData().GetGameState(), before.GetGameState());
    EXPECT_EQ(kept->Status().GetParam(104, 0), 5);
}

TEST_F(SaveTest, TheLoadRelayRestoresTheKeptSceneFromTheRecord) {
    Make();
    EnterParked();
    kept->State().m_Step = 90;
    kept->Status().SetParam(104, 0, 77);
    D().Game().WriteCurrentSave();
    kept->ResetAll();
    D().Game().GetSceneManager().GoTo(23);
    D().Game().GetSceneManager().Transition(0, 0);
    ASSERT_TRUE(RunUntil([this] { return D().Game().GetSceneManager().GetCurrentSceneId() == 23; }, 5));
    ASSERT_TRUE(RunUntil([this] { return D().Game().GetSceneManager().GetCurrentSceneId() == 19; }, 60));
    EXPECT_EQ(kept->Status().GetParam(104, 0), 77);
    EXPECT_EQ(D().Game().GetSaveData().GetGameState().m_Step, 90);
}

// The notice card and the event picture panel lie over whatever the scene shows, the panel
// over the card, and go while the player keeps the window hidden; the thumbnail lays
// them by the same flag, the card last.
class OverlayTest : public InGameFixture {
protected:
    static constexpr const char* kPanel = "obj\\panel.bmp";
    static constexpr const char* kCard = "obj\\e000_000.bmp";
    void SetUp() override {
        Build({{1, 90, 0, "held"}}, [this](const std::string& folder) {
            stagetest::WriteScript(ScriptPath("held"),
                                   {stagetest::Record(1, 0, 2), stagetest::Line(2, 0, "a line held until a click")});
            probe.Write(folder, kit::MakeSheet(CPictureMode::kPicture, 800, 600));
            // The panel's and the card's other pictures are left out: what shows is the
            // panel's picture over the card's board.
            probe.Write(folder, kit::MakeSheet(kPanel, 300, 200));
            probe.Write(folder, kit::MakeSheet(kCard, 400, 150));
        });
        EnterParked();
        SStatusWords& w = kept->Status().Words();
        w.year = 1;
        w.month = 5;
        w.week = 1;
    }
};

TEST_F(OverlayTest, TheCardAndTheEventPanelLieOverEveryScreenWhileTheWindowShows) {
    // Panel (264, 0) 300 × 200 over card (0, 0) 400 × 150: (350, 100) lies under both,
    // (100, 120) under the card alone.
    struct SCase {
        const char* name;
        int32_t mode;  // 0: between modes, the screen black
        bool panelOpen, windowHidden;
        const char* underBoth;
        const char* underCard;
        const char* thumbUnderBoth;  // null: neither, black (the picture mode draws none)
    };
    const SCase cases[] = {
        {"between modes", 0, true, false, kPanel, kCard, kCard},
        {"the stage's line", 2, true, false, kPanel, kCard, kCard},
        {"the picture mode", 18, true, false, kPanel, kCard, kCard},
        {"the panel closed", 18, false, false, kCard, kCard, kCard},
        {"the window hidden by the player", 18, true, true, CPictureMode::kPicture, CPictureMode::kPicture, nullptr},
        {"the window hidden over the stage", 2, true, true, "", "", nullptr},
    };
    CMainGameScene& stage = kept->Stage();
    stage.SetEventPanel(kPanel, 5);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.mode == 2) {
            ASSERT_TRUE(kept->StartEventById(1));
        }
        if (c.mode == 0) {
            kept->ClearMode();
        } else {
            kept->SetMode(c.mode, 0, 0);
        }
        if (c.panelOpen) {
            stage.OpenEventPanel(true);
            stage.GetEventPanel().ShowNow();
        } else {
            stage.CloseEventPanel(true);
            stage.GetEventPanel().HideNow();
        }
        if (c.windowHidden) stage.HideWindowByPlayer();
        kept->ShowSlidePicture(20);
        ASSERT_TRUE(D().Frame(25));
        ASSERT_EQ(kept->GetModeManager().GetCurrentSceneId(), c.mode);
        const SFrame f = D().Pixels();
        EXPECT_EQ(probe.At(f, 350, 100).sheet, c.underBoth);
        EXPECT_EQ(probe.At(f, 100, 120).sheet, c.underCard);
        ASSERT_TRUE(D().Game().RenderGameToTexture("save\\save01.bmp"));
        const std::vector<uint32_t> thumb = ReadThumbnail(ReadNative(kit::NativeFilePath(D().Folder(), "save\\save01.bmp")));
        ASSERT_EQ(thumb.size(), 200u * 150u);
        // A plain 4 × 4 block filters to its own colour.
        const uint32_t want = c.thumbUnderBoth ? kit::CellColour(c.thumbUnderBoth, 0, 0) & 0xFFFFFFu : 0u;
        EXPECT_EQ(thumb[25 * 200 + 350 / 4], want) << std::hex << want;
    }
}

}  // namespace
