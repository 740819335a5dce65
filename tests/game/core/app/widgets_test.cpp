#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "engine/draw/ImagePlane.h"
#include "game/core/Button.h"
#include "game/core/ImageButton.h"
#include "game/core/ImageWidget.h"

namespace {

// A sheet of 2 columns × 5 rows of 40 × 20 cells; the buttons use column 1.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_Sheet.Create(80, 100));
        ASSERT_TRUE(m_Button.SetupColumn(&m_Sheet, 2, 5, 1));
        m_Button.SetPosition(100, 50);
    }
    // Inside the hit rectangle (100, 50)-(140, 70).
    void In(bool decide = false) { m_Button.Update(110, 60, decide); }
    void Out() { m_Button.Update(-1, -1, false); }

    CImagePlane m_Sheet;
    CButton m_Button;
};

}  // namespace

TEST_F(ButtonTest, SetupPlacesTheButtonAtTheOriginWithTheCellSizeAsHitRectangle) {
    CButton b;
    ASSERT_TRUE(b.SetupColumn(&m_Sheet, 2, 5, 0));
    EXPECT_EQ(b.GetHitRect(), (SRect{0, 0, 40, 20}));
    b.SetPosition(7, 9);
    EXPECT_EQ(b.GetHitRect(), (SRect{7, 9, 47, 29}));
    EXPECT_EQ(b.GetRect(), (SRect{7, 9, 47, 29}));
    EXPECT_FALSE(b.Setup(&m_Sheet, 0, 5, {}));
    EXPECT_FALSE(b.HasImage());
}

TEST_F(ButtonTest, AClickInsideChecksARadioButtonWhichThenIgnoresThePointer) {
    Out();
    In(true);
    EXPECT_TRUE(m_Button.IsChecked());
    EXPECT_TRUE(m_Button.BecameChecked());
    EXPECT_TRUE(m_Button.IsClicked());
    // Events last one update.
    In(false);
    EXPECT_FALSE(m_Button.BecameChecked());
    // A checked radio button takes no click and shows no hover.
    In(true);
    EXPECT_TRUE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.BecameUnchecked());
    EXPECT_FALSE(m_Button.IsHover());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_CHECKED_HOVER);
    Out();
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_CHECKED);
}

TEST_F(ButtonTest, ClicksOutsideOrWithoutDecideAreNotAccepted) {
    m_Button.Update(99, 60, true);
    m_Button.Update(140, 60, true);  // right edge is exclusive
    m_Button.Update(110, 70, true);
    In(false);
    EXPECT_FALSE(m_Button.IsChecked());
    m_Button.SetReactWhenUnchecked(false);
    In(true);
    EXPECT_FALSE(m_Button.IsChecked());
}

TEST_F(ButtonTest, AToggleButtonUnchecksOnTheSecondClick) {
    m_Button.SetReactWhenChecked(true);
    In(true);
    EXPECT_TRUE(m_Button.BecameChecked());
    In(true);
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_TRUE(m_Button.BecameUnchecked());
    EXPECT_TRUE(m_Button.IsClicked());
}

TEST_F(ButtonTest, ACheckedMomentaryButtonReleasesItselfAfterFourSteps) {
    m_Button.SetMomentary(true);
    m_Button.SetReactWhenChecked(true);
    In(true);
    ASSERT_TRUE(m_Button.IsChecked());
    for (int i = 0; i < 3; ++i) {
        In(true);  // a checked momentary button takes no click
        m_Button.Step();
        EXPECT_TRUE(m_Button.IsChecked()) << i;
        EXPECT_FALSE(m_Button.BecameUnchecked());
    }
    m_Button.Step();
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_TRUE(m_Button.BecameUnchecked());
    EXPECT_FALSE(m_Button.IsClicked()) << "a release is not a click";
    // And it can be clicked again.
    In(true);
    EXPECT_TRUE(m_Button.BecameChecked());
}

TEST_F(ButtonTest, LockKeepsCheckedIgnoresThePointerAndSetCheckedClearsIt) {
    In(true);
    m_Button.Lock();
    EXPECT_TRUE(m_Button.IsLocked());
    EXPECT_TRUE(m_Button.IsChecked());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_LOCKED);
    m_Button.SetReactWhenChecked(true);
    Out();
    In(true);
    EXPECT_TRUE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.HoverBegan());
    EXPECT_FALSE(m_Button.IsHover());
    m_Button.SetUnchecked();
    EXPECT_FALSE(m_Button.IsLocked());
    m_Button.Lock();
    m_Button.SetChecked();
    EXPECT_FALSE(m_Button.IsLocked());
    // Without a picture there is nothing to lock.
    CButton empty;
    empty.Lock();
    EXPECT_FALSE(empty.IsLocked());
}

TEST_F(ButtonTest, HoverBeganIsRaisedOnceAndNoInputClearsHover) {
    Out();
    In();
    EXPECT_TRUE(m_Button.HoverBegan());
    EXPECT_TRUE(m_Button.IsHover());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_HOVER);
    In();
    m_Button.Update(120, 65, false);
    EXPECT_FALSE(m_Button.HoverBegan());
    EXPECT_TRUE(m_Button.IsHover());
    Out();
    EXPECT_FALSE(m_Button.IsHover());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_NORMAL);
    In();
    EXPECT_TRUE(m_Button.HoverBegan());
}

TEST_F(ButtonTest, HiddenOrDisabledButtonsAreNotHitAndReportNothing) {
    m_Button.SetVisible(false);
    In(true);
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.HoverBegan());
    EXPECT_FALSE(m_Button.IsHover());
    m_Button.SetVisible(true);
    m_Button.Disable();
    In(true);
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.IsHover());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_LOCKED);
    m_Button.Enable();
    In(true);
    EXPECT_TRUE(m_Button.IsChecked());
}

TEST_F(ButtonTest, ResetDropsThePictureAndEveryFlag) {
    m_Button.SetReactWhenChecked(true);
    m_Button.SetMomentary(true);
    In(true);
    m_Button.Lock();
    m_Button.Reset();
    EXPECT_FALSE(m_Button.HasImage());
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.IsLocked());
    EXPECT_FALSE(m_Button.IsHover());
    EXPECT_FALSE(m_Button.BecameChecked());
    // Nothing is hit or reported, and drawing draws nothing.
    m_Button.Update(5, 5, true);
    m_Button.Step();
    EXPECT_FALSE(m_Button.IsChecked());
    EXPECT_FALSE(m_Button.HoverBegan());
    m_Button.DrawPlain();
    // The switches are back at their first values once a picture is set again.
    ASSERT_TRUE(m_Button.SetupColumn(&m_Sheet, 2, 5, 1));
    m_Button.Update(5, 5, true);
    EXPECT_TRUE(m_Button.IsChecked());
    m_Button.Update(5, 5, true);
    EXPECT_TRUE(m_Button.IsChecked()) << "react-when-checked is off again";
    for (int i = 0; i < 10; ++i) m_Button.Step();
    EXPECT_TRUE(m_Button.IsChecked()) << "momentary is off again";
}

TEST_F(ButtonTest, RestoreKeepsTheCellsAndTheState) {
    In(true);
    m_Button.Restore();
    EXPECT_TRUE(m_Button.IsChecked());
    EXPECT_EQ(m_Button.GetCells().GetColumns(), 2);
    EXPECT_EQ(m_Button.GetCells().GetRows(), 5);
}

TEST(ImageButton, HighlightRunsFrom0To128Over8FramesWhileHovered) {
    CImagePlane sheet;
    ASSERT_TRUE(sheet.Create(40, 100));
    CImageButton b;
    ASSERT_TRUE(b.SetupColumn(&sheet, 1, 5, 0));
    b.Update(-1, -1, false);
    b.Step();
    EXPECT_EQ(b.GetHighlight(), 0);
    std::vector<int> ramp;
    for (int i = 0; i < 10; ++i) {
        b.Update(10, 10, false);
        b.Step();
        ramp.push_back(b.GetHighlight());
    }
    EXPECT_EQ(ramp, (std::vector<int>{16, 32, 48, 64, 80, 96, 112, 128, 128, 128}));
    b.Update(-1, -1, false);
    b.Tick();
    EXPECT_EQ(b.GetHighlight(), 0);
    b.Update(10, 10, false);
    b.Tick();
    EXPECT_EQ(b.GetHighlight(), 16) << "the ramp starts again when the pointer comes back";
    b.DrawPlain();
}

TEST(ImageButton, NoHighlightOnACheckedMomentaryButton) {
    CImagePlane sheet;
    ASSERT_TRUE(sheet.Create(40, 100));
    CImageWidget b;
    ASSERT_TRUE(b.SetupColumn(&sheet, 1, 5, 0));
    b.SetMomentary(true);
    b.SetReactWhenChecked(true);
    b.Update(10, 10, true);
    ASSERT_TRUE(b.IsChecked());
    EXPECT_FALSE(b.HoverBegan());
    b.Step();
    EXPECT_EQ(b.GetHighlight(), 0);
}

TEST(ImageButton, SetCursorThenUpdateIsTheSameFrameAsUpdateWithThePointerThenStep) {
    CImagePlane sheet;
    ASSERT_TRUE(sheet.Create(40, 100));
    CImageWidget a;
    CImageWidget b;
    for (CImageWidget* w : {&a, &b}) {
        ASSERT_TRUE(w->SetupColumn(&sheet, 1, 5, 0));
        w->SetMomentary(true);
        w->SetReactWhenChecked(true);
    }
    const struct {
        int32_t x, y;
        bool decide;
    } frames[] = {{-1, -1, false}, {10, 10, false}, {10, 10, true}, {10, 10, false}, {10, 10, false},
                  {10, 10, false}, {10, 10, true},  {-1, -1, false}, {10, 10, false}};
    int32_t highest = 0;
    for (size_t i = 0; i < std::size(frames); ++i) {
        a.Update(frames[i].x, frames[i].y, frames[i].decide);
        a.Step();
        b.SetCursor(frames[i].x, frames[i].y, frames[i].decide);
        b.Update();
        EXPECT_EQ(a.IsChecked(), b.IsChecked()) << i;
        EXPECT_EQ(a.HoverBegan(), b.HoverBegan()) << i;
        EXPECT_EQ(a.BecameChecked(), b.BecameChecked()) << i;
        EXPECT_EQ(a.BecameUnchecked(), b.BecameUnchecked()) << i;
        EXPECT_EQ(a.IsHover(), b.IsHover()) << i;
        EXPECT_EQ(a.GetHighlight(), b.GetHighlight()) << i;
        highest = std::max(highest, b.GetHighlight());
    }
    EXPECT_GT(highest, 0);
}

TEST_F(ButtonTest, TheTwoDisplayOptionsChangeTheLookOnly) {
    EXPECT_TRUE(m_Button.IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
    EXPECT_TRUE(m_Button.IsDisplayOptionOn(CButton::OPTION_HOVER_LOOK));
    m_Button.SetDisplayOption(CButton::OPTION_HOVER_LOOK, false);
    Out();
    In();
    EXPECT_TRUE(m_Button.HoverBegan()) << "the button still reacts";
    EXPECT_TRUE(m_Button.IsHover());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_NORMAL);
    In(true);
    EXPECT_TRUE(m_Button.BecameChecked());
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_CHECKED);
    m_Button.Lock();
    EXPECT_EQ(m_Button.GetCurrentLook(), CButton::LOOK_LOCKED);
    // Options kept over a new set-up, back on after Reset; a bad number changes nothing.
    m_Button.SetDisplayOption(CButton::OPTION_HIGHLIGHT, false);
    ASSERT_TRUE(m_Button.SetupColumn(&m_Sheet, 2, 5, 0));
    EXPECT_FALSE(m_Button.IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
    EXPECT_FALSE(m_Button.IsDisplayOptionOn(CButton::OPTION_HOVER_LOOK));
    m_Button.SetDisplayOption(2, true);
    m_Button.SetDisplayOption(-1, true);
    EXPECT_FALSE(m_Button.IsDisplayOptionOn(2));
    EXPECT_FALSE(m_Button.IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
    m_Button.Reset();
    EXPECT_TRUE(m_Button.IsDisplayOptionOn(CButton::OPTION_HIGHLIGHT));
    EXPECT_TRUE(m_Button.IsDisplayOptionOn(CButton::OPTION_HOVER_LOOK));
}
