// The selection screen over a running mode, by pixel probes and the sound record.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include <algorithm>

#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ButtonGroup.h"

namespace {

using namespace ingametest;
using screentest::SFrame;

constexpr int32_t kCellW = 272;
constexpr int32_t kCellH = 40;

constexpr const char* kHeld = "obj\\held.bmp";

std::string Sheet(int n) { return "obj\\selection\\s" + std::to_string(n) + ".bmp"; }

class SelectionTest : public InGameFixture {
protected:
    void SetUp() override {
        Build({}, [this](const std::string& folder) {
            probe.Write(folder, kit::MakeSheet(CSelectionScene::kFramePicture, 352, 240));
            for (int n = 1; n <= 6; ++n) probe.Write(folder, kit::MakeSheet(Sheet(n), n * kCellW, 5 * kCellH, n, 5));
            probe.Write(folder, kit::MakeSheet(kHeld, 800, 600));
        });
        EnterParked();
        // A mode that runs until the test ends, under the screen; its picture shows in
        // the save thumbnail alone, so the screen stays as the probes know it.
        kept->GetModeFactory().SetMaker(18, [](CRaisingScene& owner) -> std::unique_ptr<CModeState> {
            class CHold : public CModeState {
            public:
                using CModeState::CModeState;
                void Load() override { m_Picture.Load(kHeld); }
                void PrepareThumbnail() override { m_Picture.Draw(0, 0, 0xFFFFFFFFu); }

            private:
                CImagePlane m_Picture;
            };
            return std::make_unique<CHold>(owner);
        });
        kept->SetMode(18, 0, 0);
        D().Move(0, 0);
        ASSERT_TRUE(D().Frame());
    }
    CSelectionScene& Screen() { return kept->GetSelectionMode().GetSelection(); }
    void Open(int n) {
        kept->ShowSelection(n, Sheet(n));
        ASSERT_TRUE(RunUntil([this] { return Screen().GetState() == CSelectionScene::STATE_OPEN; }, 30));
        ASSERT_TRUE(D().Frame());
    }
    int Count(const std::vector<std::string>& sounds, const std::string& name) {
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
    }
};

TEST_F(SelectionTest, ButtonsStandByTheNumberOfChoices) {
    const std::vector<std::vector<int32_t>> rows = {
        {328}, {288, 328}, {288, 328, 368}, {208, 248, 288, 328}, {208, 248, 288, 328, 368}, {208, 248, 288, 328, 368}};
    for (int n = 1; n <= 6; ++n) {
        Open(n);
        const SFrame frame = D().Pixels();
        for (size_t i = 0; i < rows[n - 1].size(); ++i) {
            EXPECT_TRUE(probe.ShowsCellAt(frame, Sheet(n), static_cast<int32_t>(i), 0, CSelectionScene::kButtonX,
                                          rows[n - 1][i]))
                << n << " choices, button " << i;
        }
        // The frame shows where no button stands; a sixth choice is not drawn.
        EXPECT_EQ(probe.At(frame, 230, 200).sheet, CSelectionScene::kFramePicture) << n;
        if (n == 6) {
            EXPECT_TRUE(probe.Absent(frame, Sheet(6), 5, 0));
        }
        Screen().Unload();
    }
    EXPECT_TRUE(log.Contains("CSelectionScene::LoadSelectionPicture()"));
}

TEST_F(SelectionTest, NoInputWhileSlidingOrInAModeTransition) {
    kept->ShowSelection(3, Sheet(3));
    D().Click(300, 370);
    ASSERT_TRUE(D().Frame(2));
    EXPECT_EQ(kept->State().m_SelectedIndex, 0);
    EXPECT_EQ(Screen().GetState(), CSelectionScene::STATE_OPENING);
    ASSERT_TRUE(RunUntil([this] { return Screen().GetState() == CSelectionScene::STATE_OPEN; }, 30));
    kept->GetModeManager().Transition(1, 30);
    kept->GetModeManager().RunQueue();
    ASSERT_TRUE(kept->IsModeInTransition());
    D().Click(300, 370);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(Screen().GetState(), CSelectionScene::STATE_OPEN);
    kept->GetModeManager().EndTransition();
    D().Click(300, 370);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(kept->State().m_SelectedIndex, 2);
}

TEST_F(SelectionTest, OneCursorSoundAHoverAndTheIndexAtThePressDoneWhenClosed) {
    Open(2);
    D().Sounds().Take();
    D().Move(300, 290);
    ASSERT_TRUE(D().Frame(5));
    D().Move(300, 330);
    ASSERT_TRUE(D().Frame(5));
    const std::vector<std::string> hovered = D().Sounds().Take();
    EXPECT_EQ(Count(hovered, "ch1"), 2);
    D().Click(300, 330);
    ASSERT_TRUE(D().Frame());
    EXPECT_EQ(kept->State().m_SelectedIndex, 1);
    EXPECT_EQ(Count(D().Sounds().Take(), "ch0"), 1);
    EXPECT_FALSE(Screen().IsDone());
    EXPECT_TRUE(kept->IsSelectionShown());
    ASSERT_TRUE(RunUntil([this] { return !kept->IsSelectionShown(); }, 15));
    EXPECT_TRUE(Screen().IsDone());
}

// A save taken while the choice is up shows the choice, one taken after it the mode.
TEST_F(SelectionTest, TheThumbnailShowsTheSelectionWhileItRunsElseTheMode) {
    // Thumbnail pixel (60, 60): screen (240, 240), on the frame left of the buttons.
    auto thumbAt = [this] {
        EXPECT_TRUE(D().Game().RenderGameToTexture("save\\save01.bmp"));
        const std::vector<uint32_t> thumb =
            ReadThumbnail(ReadNative(kit::NativeFilePath(D().Folder(), "save\\save01.bmp")));
        return thumb.size() == 200u * 150u ? thumb[60 * 200 + 60] : 0xBADu;
    };
    Open(2);
    EXPECT_EQ(thumbAt(), kit::CellColour(CSelectionScene::kFramePicture, 0, 0) & 0xFFFFFFu);
    D().Click(300, 330);
    ASSERT_TRUE(RunUntil([this] { return !kept->IsSelectionShown(); }, 15));
    EXPECT_EQ(thumbAt(), kit::CellColour(kHeld, 0, 0) & 0xFFFFFFu);
}

}  // namespace

// The bar's seven widgets step together: checked momentary ones release after their
// four frames, in one update of the group each frame.
TEST(ButtonGroup, OneUpdateStepsTheFirstWidgetTheFiveButtonsAndTheLast) {
    CImagePlane sheet;
    ASSERT_TRUE(sheet.Create(70, 100));
    SButtonGroup group;
    std::vector<CButton*> widgets = {&group.first};
    for (CImageButton& b : group.buttons) widgets.push_back(&b);
    widgets.push_back(&group.last);
    for (size_t i = 0; i < widgets.size(); ++i) {
        CButton& w = *widgets[i];
        ASSERT_TRUE(w.SetupColumn(&sheet, 7, 5, static_cast<int>(i)));
        w.SetPosition(10 * static_cast<int32_t>(i), 0);
        w.SetMomentary(true);
        w.SetReactWhenChecked(true);
        w.Update(10 * static_cast<int32_t>(i) + 5, 5, true);
        ASSERT_TRUE(w.IsChecked()) << i;
    }
    for (int frame = 1; frame < CButton::kDefaultReleaseDelay; ++frame) group.Update();
    for (size_t i = 0; i < widgets.size(); ++i) EXPECT_TRUE(widgets[i]->IsChecked()) << i;
    group.Update();
    for (size_t i = 0; i < widgets.size(); ++i) {
        EXPECT_FALSE(widgets[i]->IsChecked()) << i;
        EXPECT_TRUE(widgets[i]->BecameUnchecked()) << i;
    }
}
