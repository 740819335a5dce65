// Mode 13 in the real in-game scene: the envelope, the paper and the letter on layer 100
// by pixel probes, the voice and its fade, the event and its follow-up, the month's end
// from the panel, and saves taken at the panel and during the month end.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SaveData.h"
#include "game/raising/letter/LetterList.h"
#include "game/raising/letter/LetterMode.h"

namespace {

using namespace ingametest;

const char* const kLetter = "obj\\letter\\l1.bmp";

class LetterModeTest : public InGameFixture {
protected:
    // `voices` is the table's third field.
    void Make(const std::string& voices = "lu1_0001") {
        // The letter (class 0) wins the first choice; the follow-up (class 1) only once
        // the choice is restricted.
        Build({{100, 23, 1, "letter1", "", 0, "[104_0]+=9"}, {101, 23, 1, "follow", "", 1, "", "", "", 0, 1}},
              [this, voices](const std::string& folder) {
                  for (const char* p : {"obj\\letter\\t000_000.bmp", "obj\\letter\\t000_001.bmp", kLetter})
                      probe.Write(folder, kit::MakeSheet(p, 800, 600));
                  probe.Write(folder, kit::MakeSheet("obj\\t001_000.bmp", 352, 200));
                  const std::string table = "scr\\t\\letter1.txt,obj\\letter\\l1.bmp," + voices + "\n";
                  kit::WriteBytes(kit::NativeFilePath(folder, "cfg\\letter.csv"), {table.begin(), table.end()});
                  kit::WriteBytes(kit::NativeFilePath(folder, "voice\\lu1_0001.ogg"), kit::MakeShortWave(3, 5000));
                  kit::WriteBytes(kit::NativeFilePath(folder, "voice\\r.wav"), kit::MakeShortWave(4, 5000));
              });
        CLetterList::GetInstance().Load("cfg\\letter.csv");
        EnterParked();
        kept->GetModeFactory().SetMaker(CLetterModeState::kModeId, {});  // the factory's own
        kept->SetMode(CLetterModeState::kModeId, 0, 0);
        ASSERT_TRUE(D().Frame());
    }
    CLetterScene* Letter() {
        auto* mode = dynamic_cast<CLetterModeState*>(kept->GetCurrentMode());
        return mode ? &mode->GetLetter() : nullptr;
    }
    // Frames until the letter reaches `state`, reading the lines it shows.
    bool RunToState(int32_t state) {
        return RunUntil([&] {
            CLetterScene* l = Letter();
            if (l && l->GetState() == 201) D().Press();
            return l && l->GetState() == state;
        });
    }
    std::string Cell() { return probe.At(D().Pixels(), 400, 100).Describe(); }
    // A letter read before, left by the panel's second button: the month ends (41).
    void EndTheMonthFromThePanel() {
        Make();
        kept->Status().AddReadLetter(kLetter);
        ASSERT_TRUE(RunToState(6));
        D().Press();
        ASSERT_TRUE(RunToState(CLetterScene::kPanelShown));
        D().Move(280, 248);
        ASSERT_TRUE(D().Frame(12));
        D().Click(280, 248);
        ASSERT_TRUE(RunToState(41));
    }
    // Until the mode ends; the month's report pages on the decide input.
    bool RunThroughMonthEnd() {
        int frame = 0;
        return RunUntil([&] {
            if (++frame % 10 == 0) D().Press();
            return ModeEnded();
        }, 3000);
    }
};

}  // namespace

TEST_F(LetterModeTest, TheLetterArrivesOnLayer100AndItsEventAndFollowUpPlay) {
    Make();
    ASSERT_NE(Letter(), nullptr) << "mode 13 is the letter";
    ASSERT_TRUE(D().Frame(20));
    EXPECT_EQ(Cell(), "no cell") << "the envelope fading in";
    ASSERT_TRUE(RunToState(200));
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Cell(), "obj\\letter\\t000_000.bmp (0, 0)") << "the envelope with the line";
    ASSERT_TRUE(RunToState(4));
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Cell(), "obj\\letter\\t000_001.bmp (0, 0)") << "the paper as the letter begins to come in";
    ASSERT_TRUE(RunToState(6));
    EXPECT_EQ(Cell(), std::string(kLetter) + " (0, 0)");
    CSoundBank& bank = D().Game().GetSoundBank();
    EXPECT_EQ(bank.GetName(2, 0), "voice\\lu1_0001.ogg");
    D().Press();
    ASSERT_TRUE(RunToState(30));
    ASSERT_TRUE(D().Frame(25));
    EXPECT_TRUE(bank.IsPlaying(2, 0)) << "fading out over 500 ms";
    ASSERT_TRUE(D().Frame(10));
    EXPECT_FALSE(bank.IsPlaying(2, 0));
    ASSERT_TRUE(RunUntil([this] { return ModeEnded(); }));
    EXPECT_EQ(D().Pixels().At(400, 100), 0u) << "black once the mode ends";
    EXPECT_EQ(Played(), (std::vector<std::string>{"letter1", "follow"}));
    EXPECT_TRUE(kept->Status().HasReadLetter(kLetter));
    EXPECT_EQ(kept->Status().Words().outcomeRestricted, 0);
}

TEST_F(LetterModeTest, AVoiceWithAnExtensionOfItsOwnPlaysThatFile) {
    Make("r.wav/lu1_0001");
    ASSERT_TRUE(RunToState(6));
    CSoundBank& bank = D().Game().GetSoundBank();
    EXPECT_EQ(bank.GetGroupList(2), (std::vector<std::string>{"voice\\r.wav", "voice\\lu1_0001.ogg"}));
    EXPECT_EQ(bank.GetName(2, 0), "voice\\r.wav");
    EXPECT_TRUE(bank.IsPlaying(2, 0));
}

TEST_F(LetterModeTest, ASaveAtThePanelComesBackWithThePanelOpen) {
    Make();
    kept->Status().AddReadLetter(kLetter);
    ASSERT_TRUE(RunToState(6));
    D().Press();
    ASSERT_TRUE(RunToState(CLetterScene::kPanelShown));
    CSaveData save;
    kept->WriteSave(save);
    kept->RestoreFromSave(save);
    ASSERT_NE(Letter(), nullptr);
    EXPECT_EQ(Letter()->GetState(), CLetterScene::kPanelShown);
    EXPECT_EQ(Letter()->GetPicture(), kLetter);
    EXPECT_TRUE(Letter()->GetPanel().IsOpen() && !Letter()->GetPanel().IsMoving());
    ASSERT_TRUE(D().Frame());
    EXPECT_TRUE(probe.ShowsCellAt(D().Pixels(), "obj\\t001_000.bmp", 0, 0, 224, 104)) << "in place, opaque";
    D().Move(280, 248);
    ASSERT_TRUE(D().Frame());
    D().Click(280, 248);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Letter()->GetState(), 23) << "button 1: the month ends at once";
}

TEST_F(LetterModeTest, ALetterReadBeforeCanEndTheMonthAtOnce) {
    ASSERT_NO_FATAL_FAILURE(EndTheMonthFromThePanel());
    EXPECT_EQ(kept->GetPendingEventRow(), kept->FindEventRow(100)) << "the letter is the month's event";
    ASSERT_TRUE(RunThroughMonthEnd()) << Letter()->GetState();
    EXPECT_EQ(Played(), std::vector<std::string>{}) << "no script of the letter plays";
    EXPECT_EQ(kept->Status().GetParam(104, 0), 9) << "the letter's settings";
    EXPECT_EQ(kept->GetPendingEventRow(), nullptr);
}

TEST_F(LetterModeTest, ASaveDuringTheMonthEndComesBackAndFinishes) {
    ASSERT_NO_FATAL_FAILURE(EndTheMonthFromThePanel());
    CSaveData save;
    kept->WriteSave(save);
    kept->RestoreFromSave(save);
    ASSERT_NE(Letter(), nullptr);
    EXPECT_EQ(Letter()->GetState(), 41);
    ASSERT_TRUE(RunThroughMonthEnd()) << Letter()->GetState();
    EXPECT_EQ(kept->Status().GetParam(104, 0), 9);
}
