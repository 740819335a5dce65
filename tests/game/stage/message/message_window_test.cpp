// The message window frame by frame: the box's slide, dimming and opacity, the line's
// requests and waiting mark, the log, and the button bar, with pixel probes on the
// software graphics device.
#include <gtest/gtest.h>

#include <memory>

#include "game/core/SystemData.h"
#include "game/stage/message/MessageWindow.h"
#include "tests/game/stage/message/MessageTestUtil.h"

namespace {

class MessageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteWindowPictures();
        window = Make(false);
    }
    std::unique_ptr<CMessageWindow> Make(bool branch) {
        auto w = std::make_unique<CMessageWindow>(nullptr, nullptr, branch);
        w->SetSystemData(&settings);
        return w;
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) window->Update();
    }
    void OpenBoxNow() {
        window->RequestOpenNow();
        Frames(1);
    }
    void Box(int state, int level, int offset) {
        EXPECT_EQ(window->GetBox().GetOpenState(), state);
        EXPECT_EQ(window->GetBox().GetOpenLevel(), level);
        EXPECT_EQ(window->GetBox().GetOffset(), offset);
    }
    void DrawAndRead() {
        probe.Clear();
        window->Draw();
        probe.Read();
    }
    CTextObject& Text() { return window->GetText().GetTextObject(); }
    // Balloon 0 shown at once with shape 2, its corner at (300, 100).
    void ShowBalloon() {
        window->SetBalloonMessage(CSaveRecordStrings("", "「ふきだし」", ""), 0, 2);
        window->SetBalloonPosition(0, 300, 100);
        window->BalloonShowNow(0);
    }
    bool BalloonDrawn() const { return probe.At(301, 101) == (msgtest::ShapeColour(2) & 0xFFFFFFu); }
    // Pure white pixels of the window's name and line (the log's are yellow).
    int WhiteInTheTextBand() const {
        int n = 0;
        for (int y = 430; y < 520; ++y) {
            for (int x = 30; x < 770; ++x) n += probe.At(x, y) == 0xFFFFFFu;
        }
        return n;
    }
    // Keeps the cursor in the bottom band until the buttons take input.
    void RaiseButtons() {
        for (int i = 0; i < 8; ++i) window->HandleInput(0, 599, false);
    }

    msgtest::CPictureFolder folder;
    msgtest::CProbe probe;
    CSystemData settings{CSystemData::kNoLoad};
    std::unique_ptr<CMessageWindow> window;
};

}  // namespace

TEST_F(MessageWindowTest, TheBoxSlidesOpenAndClosedOverTwentySteps) {
    Box(0, 0, 184);
    window->RequestOpen();
    EXPECT_TRUE(window->IsBoxShown());
    EXPECT_TRUE(window->IsBoxMoving());
    Frames(1);
    Box(1, 5, 175);
    Frames(9);
    Box(1, 50, 92);
    Frames(10);
    Box(2, 100, 0);
    EXPECT_FALSE(window->IsBoxMoving());
    window->RequestClose();
    Frames(1);
    Box(3, 95, 9);
    Frames(19);
    Box(0, 0, 184);
    EXPECT_FALSE(window->IsBoxShown());
}

TEST_F(MessageWindowTest, OpeningFromHalfClosedStartsWhereTheBoxIs) {
    OpenBoxNow();
    window->RequestClose();
    Frames(10);
    Box(3, 50, 92);
    window->RequestOpen();
    Frames(1);
    Box(1, 52, 88);
    Frames(19);
    Box(2, 100, 0);
}

TEST_F(MessageWindowTest, AtOnceRequestsCutASlideShort) {
    window->RequestOpen();
    Frames(5);
    window->RequestOpenNow();
    Frames(1);
    Box(2, 100, 0);
    window->RequestClose();
    Frames(3);
    window->RequestCloseNow();
    Frames(1);
    Box(0, 0, 184);
}

TEST_F(MessageWindowTest, TheBoxIsDrawnAtItsSlideOffset) {
    window->RequestOpen();
    Frames(10);
    DrawAndRead();
    EXPECT_EQ(probe.At(400, 416 + 92 - 1), 0u);
    EXPECT_NE(probe.At(400, 416 + 92), 0u);
    Frames(10);
    DrawAndRead();
    EXPECT_EQ(probe.At(400, 415), 0u);
    EXPECT_EQ(probe.At(400, 416), msgtest::kBoxColour & 0xFFFFFFu);
    EXPECT_EQ(probe.At(400, 520), msgtest::kBoxColour & 0xFFFFFFu);
}

TEST_F(MessageWindowTest, ABalloonDimsTheBoxAtOnceWhenClosedAndOverTenStepsWhenOpen) {
    window->BalloonOpen(0);
    EXPECT_EQ(window->GetBox().GetDimState(), CMessageBox::DIM_DIMMED);
    EXPECT_EQ(window->GetBox().GetDimLevel(), 50);

    window->Reset();
    OpenBoxNow();
    window->BalloonOpen(0);
    EXPECT_EQ(window->GetTextRequest(), CMessageWindow::TEXT_CLEAR);
    Frames(1);
    EXPECT_EQ(window->GetBox().GetDimState(), CMessageBox::DIM_DIMMING);
    EXPECT_EQ(window->GetBox().GetDimLevel(), 95);
    Frames(9);
    EXPECT_EQ(window->GetBox().GetDimState(), CMessageBox::DIM_DIMMED);
    EXPECT_EQ(window->GetBox().GetDimLevel(), 50);
    // Closing the box brings its brightness back.
    window->RequestCloseNow();
    Frames(1);
    EXPECT_EQ(window->GetBox().GetDimState(), CMessageBox::DIM_NORMAL);
    EXPECT_EQ(window->GetBox().GetDimLevel(), 100);
}

TEST_F(MessageWindowTest, TheBoxOpacityDividesAtEachStep) {
    window->RequestOpen();
    Frames(1);
    window->BalloonOpen(0);
    Frames(1);
    // Level 10, base 255, dim 95: (10 × 255) / 100 = 25, then 25 × 95 / 100 = 23 (one
    // division of the whole product would give 24).
    EXPECT_EQ(window->GetBox().GetAlpha(), 23);
    window->SetBoxAlpha(300);
    EXPECT_EQ(window->GetBox().GetBaseAlpha(), 255);
    window->SetBoxAlpha(-4);
    EXPECT_EQ(window->GetBox().GetAlpha(), 0);
}

TEST_F(MessageWindowTest, TheLineRevealsWhileTheBoxSlidesInAndCompletesClosesAndClears) {
    // The stage's order: the reveal settings, the line, the start.
    window->SetRevealStep(1);
    window->SetRevealTiming(true, 5);
    window->SetMessage(CSaveRecordStrings("【ソラン】", "おはよう", "v.ogg", 7, 8));
    EXPECT_EQ(window->GetCurrentLine(), CSaveRecordStrings("ソラン", "おはよう", "v.ogg", 7, 8));
    EXPECT_TRUE(Text().IsRevealing()) << "laid out and started at once";
    EXPECT_EQ(Text().GetRevealedCount(), 1u);
    window->StartText();
    EXPECT_EQ(window->GetBoxRequest(), CMessageWindow::BOX_OPEN);
    EXPECT_TRUE(window->IsTextBusy());
    // One more character every five updates while the box slides in.
    const struct {
        int updates;
        int boxState;
        size_t revealed;
    } steps[] = {{4, CMessageBox::OPEN_OPENING, 1}, {1, CMessageBox::OPEN_OPENING, 2},
                 {10, CMessageBox::OPEN_OPENING, 4}, {5, CMessageBox::OPEN_OPEN, 4}};
    for (const auto& s : steps) {
        Frames(s.updates);
        EXPECT_EQ(window->GetBox().GetOpenState(), s.boxState);
        EXPECT_EQ(Text().GetRevealedCount(), s.revealed);
        EXPECT_TRUE(Text().IsBusy());
    }
    // The start pending since the box began to open finds the line busy once the box
    // is open: it is not restarted.
    EXPECT_EQ(window->GetTextRequest(), CMessageWindow::TEXT_START);
    Frames(1);
    EXPECT_EQ(window->GetTextRequest(), CMessageWindow::TEXT_NONE);
    EXPECT_EQ(Text().GetRevealedCount(), 4u);

    window->CompleteText();
    EXPECT_TRUE(window->IsTextHolding());
    Frames(1);
    EXPECT_TRUE(Text().IsHolding());

    window->CloseText();
    Frames(1);
    EXPECT_FALSE(Text().IsHolding());
    Frames(5);
    EXPECT_FALSE(Text().IsBusy());
    EXPECT_EQ(Text().GetText(), "おはよう");

    window->CompleteText();
    Frames(1);
    window->ClearText();
    Frames(1);
    EXPECT_FALSE(Text().IsBusy());
    EXPECT_EQ(Text().GetText(), "");
}

TEST_F(MessageWindowTest, ClosingWaitsUntilTheLineHasGone) {
    OpenBoxNow();
    window->SetMessage(CSaveRecordStrings("", "ゆっくり表示される行", ""));
    window->SetRevealStep(1);
    window->SetRevealTiming(true, 30);
    window->StartText();
    Frames(2);
    ASSERT_TRUE(Text().IsRevealing());
    window->RequestClose();
    EXPECT_EQ(window->GetTextRequest(), CMessageWindow::TEXT_CLOSE);
    // The line closes first; the box waits for it.
    Frames(1);
    EXPECT_FALSE(Text().IsBusy());
    EXPECT_EQ(window->GetBox().GetOpenState(), CMessageBox::OPEN_OPEN);
    EXPECT_EQ(window->GetBoxRequest(), CMessageWindow::BOX_CLOSE);
    Frames(1);
    EXPECT_EQ(window->GetBox().GetOpenState(), CMessageBox::OPEN_CLOSING);
}

TEST_F(MessageWindowTest, TheWaitingMarkTurnsEveryNineUpdatesAtItsPlace) {
    OpenBoxNow();
    window->SetMessage(CSaveRecordStrings("", "行", ""));
    window->CompleteText();
    window->SetTextMark(true);
    Frames(1);
    const struct {
        int updates;
        int cell;
    } steps[] = {{7, 0}, {1, 1}, {9, 2}, {36, 0}};
    for (const auto& s : steps) {
        Frames(s.updates);
        EXPECT_EQ(window->GetText().GetMarkFrame(), s.cell);
        DrawAndRead();
        EXPECT_EQ(probe.At(748 + 8, 513 + 8), msgtest::MarkColour(s.cell) & 0xFFFFFFu);
    }
    window->SetTextMark(false);
    DrawAndRead();
    EXPECT_NE(probe.At(748 + 8, 513 + 8), msgtest::MarkColour(0) & 0xFFFFFFu);
}

TEST_F(MessageWindowTest, TheLogKeepsTheEightyNewestLinesNewestFirst) {
    for (int i = 0; i < 85; ++i) window->AddLogLine(CSaveRecordStrings("【名】", "line " + std::to_string(i), ""));
    ASSERT_EQ(window->GetLogCount(), 80u);
    EXPECT_EQ(window->GetLogLine(0)->m_Text, "line 84");
    EXPECT_EQ(window->GetLogLine(0)->m_Name, "名");
    EXPECT_EQ(window->GetLogLine(79)->m_Text, "line 5");
    EXPECT_EQ(window->GetLogLine(80), nullptr);

    // Not while the box is closed and no balloon is open.
    window->OpenLog();
    EXPECT_FALSE(window->IsLogOpen());
    EXPECT_TRUE(window->HasOlderLog());
    OpenBoxNow();
    window->OpenLog();
    ASSERT_TRUE(window->IsLogOpen());
    EXPECT_EQ(window->GetLogIndex(), 0u);
    window->LogNewer();
    EXPECT_EQ(window->GetLogIndex(), 0u);
    window->LogOlder();
    EXPECT_EQ(window->GetLogIndex(), 1u);
    for (int i = 0; i < 100; ++i) window->LogOlder();
    EXPECT_EQ(window->GetLogIndex(), 79u);
    EXPECT_FALSE(window->HasOlderLog());
    window->CloseLog();
    EXPECT_FALSE(window->IsLogOpen());
    window->ClearLog();
    EXPECT_EQ(window->GetLogCount(), 0u);
}

TEST_F(MessageWindowTest, TheLogOpensOverAClosedBoxWhileABalloonSpeaksAndTheBoxPictureLiesUnderIt) {
    window->AddLogLine(CSaveRecordStrings("名", "前の行", ""));
    ShowBalloon();
    Frames(1);
    ASSERT_EQ(window->GetBox().GetOpenState(), CMessageBox::OPEN_CLOSED);
    DrawAndRead();
    EXPECT_TRUE(BalloonDrawn());
    EXPECT_EQ(probe.At(400, 500), 0u) << "a closed box draws nothing of itself";
    window->OpenLog();
    ASSERT_TRUE(window->IsLogOpen()) << "an open balloon lets the log open over a closed box";
    // The window's own draw and the part-by-part one: the box picture plainly at
    // (0, 416) under the log, the balloon set aside.
    for (const bool parts : {false, true}) {
        probe.Clear();
        if (parts) {
            window->DrawParts();
        } else {
            window->Draw();
        }
        probe.Read();
        EXPECT_EQ(probe.At(400, 500), msgtest::kBoxColour & 0xFFFFFFu) << parts;
        EXPECT_EQ(probe.At(400, 416), msgtest::kBoxColour & 0xFFFFFFu) << parts;
        EXPECT_FALSE(BalloonDrawn()) << parts;
    }
    window->CloseLog();
    DrawAndRead();
    EXPECT_EQ(probe.At(400, 500), 0u);
    EXPECT_TRUE(BalloonDrawn()) << "closing the log brings the balloon back";
}

TEST_F(MessageWindowTest, AnOpenLogSetsTheLineAndTheBalloonsAsideUntilItCloses) {
    OpenBoxNow();
    ShowBalloon();
    window->SetMessage(CSaveRecordStrings("名前", "今の行です", ""));
    window->CompleteText();
    Frames(2);
    const auto drawActive = [this] {
        probe.Clear();
        window->DrawActiveParts();
        probe.Read();
    };
    drawActive();
    ASSERT_TRUE(BalloonDrawn());
    ASSERT_GT(WhiteInTheTextBand(), 0) << "the line and its name are drawn white";
    window->OpenLog();
    ASSERT_TRUE(window->IsLogOpen());
    Frames(1);
    // The save thumbnail's draw and the window's own: the log's line alone.
    drawActive();
    EXPECT_FALSE(BalloonDrawn());
    EXPECT_EQ(WhiteInTheTextBand(), 0) << "no current line over the log in the thumbnail";
    EXPECT_NE(probe.At(400, 450), 0u) << "the box is still drawn";
    DrawAndRead();
    EXPECT_FALSE(BalloonDrawn());
    EXPECT_EQ(WhiteInTheTextBand(), 0);
    window->CloseLog();
    Frames(1);
    for (const bool active : {false, true}) {
        if (active) {
            drawActive();
        } else {
            DrawAndRead();
        }
        EXPECT_TRUE(BalloonDrawn()) << active;
        EXPECT_GT(WhiteInTheTextBand(), 0) << active;
    }
}

TEST_F(MessageWindowTest, TheBoxRestoreCutsEveryButtonAgainFromItsSheet) {
    // The sheets as a reset device gives them back, at twice the size: the restore cuts
    // every button's five looks again from the picture as it now is.
    folder.WriteSolid("obj\\big_003.bmp", msgtest::kSheet3Colour, 2 * 12 * 80, 2 * 5 * 40);
    folder.WriteSolid("obj\\big_004.bmp", msgtest::kSheet4Colour, 2 * 2 * 62, 2 * 5 * 31);
    folder.WriteSolid("obj\\big_005.bmp", msgtest::kSheet5Colour, 2 * 3 * 79, 2 * 5 * 40);
    const char* bigger[] = {"obj\\big_003.bmp", "obj\\big_004.bmp", "obj\\big_005.bmp"};
    SPoint before[CMessageBox::kButtonCount];
    for (int i = 0; i < CMessageBox::kButtonCount; ++i) {
        window->GetButton(i)->GetCells().GetCellSize(&before[i].x, &before[i].y);
    }
    for (int i : {0, 12, 14}) {
        CImagePlane* sheet = window->GetButton(i)->GetCells().GetPlane();
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(sheet->Load(bigger[i == 0 ? 0 : i == 12 ? 1 : 2]));
    }
    window->OnDeviceRestored();
    for (int i = 0; i < CMessageBox::kButtonCount; ++i) {
        SPoint after;
        window->GetButton(i)->GetCells().GetCellSize(&after.x, &after.y);
        EXPECT_EQ(after, (SPoint{2 * before[i].x, 2 * before[i].y})) << i;
    }
}

TEST_F(MessageWindowTest, ButtonsSitInTheirPlacesAndTheBranchSwitchPutsFiveAway) {
    const SPoint places[CMessageBox::kButtonCount] = {
        {0, 560},   {80, 560},  {160, 560}, {240, 560}, {320, 560}, {400, 560}, {480, 560}, {-500, -500}, {152, 560},
        {232, 560}, {312, 560}, {392, 560}, {676, 569}, {738, 569}, {542, 536}, {621, 536}, {703, 536},
    };
    auto branch = Make(true);
    for (int i = 0; i < CMessageBox::kButtonCount; ++i) {
        EXPECT_EQ(window->GetButton(i)->GetPosition(), places[i]) << i;
        const bool away = i == 0 || i == 1 || i >= 14;
        EXPECT_EQ(branch->GetButton(i)->GetPosition(), away ? (SPoint{-500, -500}) : places[i]) << i;
    }
    EXPECT_EQ(window->GetButton(17), nullptr);
}

TEST_F(MessageWindowTest, ButtonsRiseWithTheCursorInTheBandAndTakeInputFrom256) {
    DrawAndRead();
    EXPECT_EQ(probe.At(20, 580), 0u);
    for (int i = 0; i < 7; ++i) {
        window->HandleInput(20, 580, true);
        EXPECT_EQ(window->GetBox().GetPressedButton(), -1);
    }
    EXPECT_EQ(window->GetBox().GetReveal(), 224);
    window->HandleInput(20, 580, true);
    EXPECT_EQ(window->GetBox().GetReveal(), 256);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 0);
    DrawAndRead();
    EXPECT_EQ(probe.At(20, 580), msgtest::kSheet3Colour & 0xFFFFFFu);
    // Above the band the value falls again, held at 0.
    for (int i = 0; i < 40; ++i) window->HandleInput(20, 100, false);
    EXPECT_EQ(window->GetBox().GetReveal(), 0);
    EXPECT_EQ(window->GetBox().GetButtonOffset(), 70);
}

TEST_F(MessageWindowTest, DarkeningSwapsTheButtonSet) {
    RaiseButtons();
    window->HandleInput(200, 570, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 2);
    window->SetDarken(true);
    EXPECT_EQ(window->GetBox().GetReveal(), 256);
    window->HandleInput(200, 570, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 8);
    Frames(2);
    DrawAndRead();
    // Button 0 is not drawn; the screen is half dark under the buttons.
    EXPECT_EQ(probe.At(20, 580), 0u);
    EXPECT_EQ(probe.At(500, 580), 0u);
    EXPECT_EQ(probe.At(200, 580), msgtest::kSheet3Colour & 0xFFFFFFu);
    window->SetDarken(false);
    DrawAndRead();
    EXPECT_EQ(probe.At(20, 580), msgtest::kSheet3Colour & 0xFFFFFFu);
}

TEST_F(MessageWindowTest, HelpButtonsNeedTheFourthOptionByte) {
    RaiseButtons();
    settings.SetOption(3, 0);
    window->HandleInput(650, 540, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), -1);
    DrawAndRead();
    EXPECT_EQ(probe.At(650, 540), 0u);
    settings.SetOption(3, 1);
    Frames(10);
    window->HandleInput(650, 540, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 15);
    DrawAndRead();
    EXPECT_EQ(probe.At(650, 540), msgtest::kSheet5Colour & 0xFFFFFFu);
}

TEST_F(MessageWindowTest, TheFirstButtonPressedTakesThePress) {
    RaiseButtons();
    // (550, 570) lies on button 6 and on button 14.
    window->HandleInput(550, 570, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 6);
    EXPECT_FALSE(window->GetButton(14)->IsClicked());
    // Buttons 12 and 13 answer only with the box open or a balloon open.
    Frames(10);
    window->HandleInput(690, 580, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), -1);
    OpenBoxNow();
    window->HandleInput(690, 580, true);
    EXPECT_EQ(window->GetBox().GetPressedButton(), 12);
}

TEST_F(MessageWindowTest, BalloonIndicesOutsideZeroToTenAddressNothing) {
    for (int index : {-1, 11, 1000}) {
        window->SetBalloonMessage(CSaveRecordStrings("a", "b", ""), index, 0);
        window->SetBalloonRecord(index, CSaveRecordStrings("a", "b", ""));
        window->BalloonOpen(index);
        window->BalloonShowNow(index);
        window->SetBalloonPosition(index, 1, 2);
        window->BalloonMarkOn(index);
        EXPECT_FALSE(window->IsBalloonOpen(index));
        EXPECT_EQ(window->GetBalloonLine(index), nullptr);
        EXPECT_EQ(window->GetBalloon(index), nullptr);
    }
    EXPECT_EQ(window->GetBox().GetDimState(), CMessageBox::DIM_NORMAL);
    EXPECT_EQ(window->GetTextRequest(), CMessageWindow::TEXT_NONE);
    EXPECT_FALSE(window->IsAnyBalloonOpen());
}

TEST_F(MessageWindowTest, ABalloonLineIsCleanedWrappedAndCutFromTheSheet) {
    window->SetBalloonMessage(CSaveRecordStrings("【ミルテ】", "こんにちは", "m.ogg", 3, 4), 10, 8);
    EXPECT_EQ(*window->GetBalloonLine(10), CSaveRecordStrings("ミルテ", "「こんにちは」", "m.ogg", 3, 4));
    CBalloonWindow* balloon = window->GetBalloon(10);
    EXPECT_EQ(balloon->GetFrameIndex(), 8);
    EXPECT_EQ(balloon->GetTextObject().GetText(), "「こんにちは」");
    ASSERT_TRUE(balloon->IsFrameLoaded());
    EXPECT_EQ(balloon->GetShape().GetWidth(), msgtest::kShapeWidth);
    EXPECT_EQ(balloon->GetShape().GetPixels()[0], msgtest::ShapeColour(8));
    window->SetBalloonRecord(10, CSaveRecordStrings("x", "y", ""));
    EXPECT_FALSE(balloon->IsFrameLoaded());
    EXPECT_EQ(window->GetBalloonLine(10)->m_Text, "y");
}

TEST_F(MessageWindowTest, TheDimmerDarkensTheScreenButNotTheThumbnailDraw) {
    OpenBoxNow();
    RaiseButtons();
    window->SetDarken(true);
    Frames(2);
    DrawAndRead();
    const uint32_t dimmed = probe.At(400, 450);
    EXPECT_NE(dimmed, 0u);
    EXPECT_LT(dimmed & 0xFF, msgtest::kBoxColour & 0xFF);
    // The active parts alone: the box at full brightness, no dimmer and no buttons.
    probe.Clear();
    window->DrawActiveParts();
    probe.Read();
    EXPECT_EQ(probe.At(400, 450), msgtest::kBoxColour & 0xFFFFFFu);
    EXPECT_EQ(probe.At(200, 580), msgtest::kBoxColour & 0xFFFFFFu);
    // Part by part it looks as the window's own draw.
    probe.Clear();
    window->DrawParts();
    probe.Read();
    EXPECT_EQ(probe.At(400, 450), dimmed);
}
