// A speech balloon on its own: the six states frame by frame, the shape cut out of the
// sheet, the text centred in its box, the waiting mark, and the operations the balloon
// sample scene uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/stage/message/BalloonWindow.h"
#include "tests/game/stage/message/MessageTestUtil.h"

namespace {

class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<uint32_t> sheet(static_cast<size_t>(900) * 120), marks(static_cast<size_t>(96) * 16);
        for (size_t i = 0; i < sheet.size(); ++i) sheet[i] = msgtest::ShapeColour(static_cast<int>(i % 900 / 100));
        for (size_t i = 0; i < marks.size(); ++i) marks[i] = msgtest::MarkColour(static_cast<int>(i % 96 / 16));
        ASSERT_TRUE(m_Sheet.CreateFromArgb(sheet.data(), 900, 120, 900));
        ASSERT_TRUE(m_Marks.CreateFromArgb(marks.data(), 96, 16, 96));
        balloon.SetFrameSheet(&m_Sheet, 9);
        balloon.SetMarkCells(&m_Marks);
    }
    void Draw() {
        probe.Clear();
        balloon.Draw();
        probe.Read();
    }

    msgtest::CProbe probe;
    CImagePlane m_Sheet;
    CImagePlane m_Marks;
    CBalloonWindow balloon{nullptr, nullptr};
};

}  // namespace

TEST_F(BalloonTest, ShapesAreCutOutOfTheSheetByIndex) {
    ASSERT_TRUE(balloon.SetFrame(8));
    EXPECT_EQ(balloon.GetShape().GetWidth(), 100);
    EXPECT_EQ(balloon.GetShape().GetHeight(), 120);
    EXPECT_EQ(balloon.GetShape().GetPixels()[0], msgtest::ShapeColour(8));
    EXPECT_EQ(balloon.GetShape().GetPixels()[99], msgtest::ShapeColour(8));
    for (int bad : {-1, 9}) {
        EXPECT_FALSE(balloon.SetFrame(bad));
        EXPECT_FALSE(balloon.IsFrameLoaded());
    }
    // A sheet said to hold no shapes is no sheet (and divides nothing by zero).
    balloon.SetFrameSheet(&m_Sheet, 0);
    EXPECT_FALSE(balloon.SetFrame(0));
}

TEST_F(BalloonTest, TheTextIsCentredInTheBoxOf24CharactersAndMovesWithTheBalloon) {
    const SPoint box = CBalloonWindow::GetTextBoxSize();
    EXPECT_EQ(box, (SPoint{528, 22}));
    balloon.SetText("「あ」");
    balloon.SetPosition(100, 50);
    EXPECT_EQ(balloon.GetTextObject().GetX(), 100 + 96 + (528 - 66) / 2);
    EXPECT_EQ(balloon.GetTextObject().GetY(), 50 + 64);
    balloon.SetPosition(-10, 0);
    EXPECT_EQ(balloon.GetTextObject().GetX(), -10 + 96 + 231);
}

TEST_F(BalloonTest, SixStatesFrameByFrame) {
    balloon.SetFrame(2);
    balloon.SetInEffect(1, 4);
    balloon.SetOutEffect(1, 4);
    balloon.SetDisplayParams(0, 1);
    balloon.SetCharsPerStep(0);
    balloon.SetText("「はい」");
    EXPECT_FALSE(balloon.IsOpen());

    std::vector<int> states;
    balloon.Open();
    states.push_back(balloon.GetState());
    for (int i = 0; i < 6; ++i) {
        balloon.Update();
        states.push_back(balloon.GetState());
    }
    EXPECT_EQ(states, (std::vector<int>{1, 1, 1, 2, 3, 3, 3}));
    EXPECT_FALSE(balloon.IsChanging());
    EXPECT_TRUE(balloon.IsShown());

    states.clear();
    balloon.Close();
    states.push_back(balloon.GetState());
    for (int i = 0; i < 7; ++i) {
        balloon.Update();
        states.push_back(balloon.GetState());
    }
    EXPECT_EQ(states, (std::vector<int>{5, 5, 5, 5, 0, 0, 0, 0}));
    EXPECT_EQ(balloon.GetTextObject().GetText(), "「はい」");
}

TEST_F(BalloonTest, TheShapeAndTheTurningMarkAreDrawnAtTheBalloon) {
    balloon.SetFrame(3);
    balloon.SetPosition(200, 100);
    balloon.MarkOn();
    balloon.ShowNow();
    for (int i = 0; i < 9; ++i) balloon.Update();
    EXPECT_EQ(balloon.GetMarkFrame(), 1);
    Draw();
    EXPECT_EQ(probe.At(201, 101), msgtest::ShapeColour(3) & 0xFFFFFFu);
    EXPECT_EQ(probe.At(199, 101), 0u);
    EXPECT_EQ(probe.At(200 + 288 + 4, 100 + 112 + 4), msgtest::MarkColour(1) & 0xFFFFFFu);
    for (int i = 0; i < 45; ++i) balloon.Update();
    EXPECT_EQ(balloon.GetMarkFrame(), 0);
    balloon.MarkOff();
    Draw();
    EXPECT_EQ(probe.At(200 + 288 + 4, 100 + 112 + 4), 0u);
}

TEST_F(BalloonTest, TheWaitingMarkShowsOnlyWhileTheBalloonIsOpeningOrShown) {
    balloon.SetFrame(3);
    balloon.SetOutEffect(1, 4);
    balloon.SetDisplayParams(4, 1);
    balloon.SetText("「はい」");
    balloon.SetPosition(200, 100);
    balloon.MarkOn();
    const int markX = 200 + 288 + 4, markY = 100 + 112 + 4;
    balloon.ShowNow();
    Draw();
    ASSERT_EQ(probe.At(markX, markY), msgtest::MarkColour(0) & 0xFFFFFFu);
    // Closing: the text first, then the shape; closed at the end.
    balloon.Close();
    std::vector<int> states;
    for (int i = 0; i < 40 && balloon.IsOpen(); ++i) {
        states.push_back(balloon.GetState());
        Draw();
        EXPECT_EQ(probe.At(markX, markY), 0u) << "state " << balloon.GetState();
        balloon.Update();
    }
    EXPECT_NE(std::find(states.begin(), states.end(), CBalloonWindow::STATE_TEXT_CLOSING), states.end());
    EXPECT_NE(std::find(states.begin(), states.end(), CBalloonWindow::STATE_CLOSING), states.end());
    ASSERT_FALSE(balloon.IsOpen());
    Draw();
    EXPECT_EQ(probe.At(markX, markY), 0u) << "closed";
}

TEST_F(BalloonTest, TheSampleSceneOperations) {
    balloon.SetFrameStyle(1);
    balloon.SetInEffect(1, 10);
    balloon.SetOutEffect(0, 0);
    balloon.SetAlpha(400);
    EXPECT_EQ(balloon.GetAlpha(), 255);
    balloon.SetText("「abc」");
    balloon.SetPosition(10, 20);
    EXPECT_EQ(balloon.GetPosition(), (SPoint{10, 20}));
    balloon.Open();
    EXPECT_TRUE(balloon.IsBusy());
    EXPECT_TRUE(balloon.IsOpening());
    balloon.Reset();
    EXPECT_FALSE(balloon.IsShown());
    EXPECT_FALSE(balloon.IsBusy());
    // After a device reset the shape is cut again.
    balloon.OnDeviceRestored();
    EXPECT_TRUE(balloon.IsFrameLoaded());
    EXPECT_EQ(balloon.GetFrameIndex(), 1);
}
