#include "game/menus/status/StatusPageScene1.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/core/SceneRequest.h"
#include "game/core/Status.h"
#include "game/menus/kit/DigitRun.h"
#include "game/menus/status/PageButtons.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

constexpr SPoint kRemainderPlaces[] = {{324, 191}, {348, 196}, {371, 190}};
constexpr SPoint kTierPlaces[] = {{324, 232}, {348, 237}, {371, 231}};
constexpr SPoint kToNextPlaces[] = {{324, 272}, {349, 278}, {371, 273}};
constexpr SPoint kToNextMark = {394, 275};
constexpr SPoint kToRankPlaces[] = {{300, 316}, {323, 312}, {348, 317}, {370, 312}};
constexpr SPoint kWorkPlaces[] = {{300, 356}, {325, 353}, {348, 357}, {370, 352}};
constexpr SPoint kRankPointPlaces[] = {{275, 392}, {299, 395}, {323, 391}, {348, 396}, {370, 392}};
constexpr SPoint kMoneyPlaces[] = {{228, 431}, {250, 435}, {275, 432}, {299, 435},
                                   {323, 431}, {347, 435}, {372, 431}};
constexpr SPoint kMoneyMarkPlace = {394, 438};
constexpr SPoint kStaminaPlaces[] = {{325, 473}, {348, 477}, {370, 473}};
constexpr SPoint kBandPlace = {288, 152};
constexpr SPoint kLevelPlace = {371, 151};
constexpr SPoint kRankPlace = {288, 112};

constexpr int32_t kRankThresholds[] = {50, 300, 600, 1200, 2600};
constexpr int32_t kTierThresholds[] = {20, 40, 70, 110, 150};

}  // namespace

int32_t CStatusPageScene1::PointsToNextRank(int32_t rankPoints, int32_t pendingPoints) {
    for (int32_t threshold : kRankThresholds) {
        if (rankPoints < threshold) {
            const int64_t reached = static_cast<int64_t>(rankPoints) + pendingPoints;
            return reached < threshold ? static_cast<int32_t>(threshold - reached) : 0;
        }
    }
    return 0;
}

int32_t CStatusPageScene1::JobsToNextTier(int32_t jobs) {
    for (int32_t threshold : kTierThresholds) {
        if (jobs < threshold) return threshold - jobs;
    }
    return 0;
}

void CStatusPageScene1::Load() {
    m_Background.LoadFile(kBackground);
    m_Band.LoadFile(kBand);
    m_LargeDigitSheet.LoadFile(kLargeDigits);
    m_RankSheet.LoadFile(kRanks);
    m_GradeSheet.LoadFile(kGrades);
    m_LargeDigits.Set(&m_LargeDigitSheet, kLargeDigitCells, 1);
    m_RankCells.Set(&m_RankSheet, kRankCells, 1);
    m_GradeCells.Set(&m_GradeSheet, kGradeCells, 1);
    m_LevelSheet.LoadFile(kLevels);
    m_LevelCells.Set(&m_LevelSheet, kLevelCells, 1);
    m_SmallDigitSheet.LoadFile(kSmallDigits);
    m_SmallDigits.Set(&m_SmallDigitSheet, kSmallDigitCells, 1);
    m_ButtonSheet.LoadFile(kButtonSheet);
    for (size_t i = 0; i < m_Buttons.size(); ++i) {
        m_Buttons[i].SetupColumn(&m_ButtonSheet, 5, 5, kButtonColumns[i]);
        m_Buttons[i].SetPosition(kButtonPlaces[i].x, kButtonPlaces[i].y);
        m_Buttons[i].SetMomentary(true);
    }
    if (GetRunningStatus() == nullptr) {
        DebugPrintf("CStatusPageScene1::Load() ゲームの状態がありません");
    }
}

void CStatusPageScene1::Update() {
    switch (UpdatePageButtons(m_Game, m_Buttons)) {
    case 0: RequestGotoScene(kOtherPage, 1, 15); break;
    case 1: RequestReturnScene(1, 15); break;
    default: break;
    }
}

void CStatusPageScene1::Draw() {
    m_Background.Draw(0, 0, kWhite);
    m_Band.Draw(kBandPlace.x, kBandPlace.y, kWhite);
    if (const CStatus* status = GetRunningStatus()) {
        _DrawValues(*status);
    }
    for (CImageButton& b : m_Buttons) b.DrawPlain(kWhite);
}

void CStatusPageScene1::_DrawValues(const CStatus& status) {
    const SStatusWords& w = status.Words();
    // The level counts whole hundreds of the raw ability points; the page shows the rest.
    const int level = status.GetLevel5();
    m_LevelCells.DrawCell((5 - level) % 6, 0, kLevelPlace.x, kLevelPlace.y, kWhite);
    DrawDigitRun(m_LargeDigits, w.abilityPoints % 100, kRemainderPlaces);
    DrawDigitRun(m_LargeDigits, status.GetTierValue240(), kTierPlaces);
    DrawDigitRun(m_LargeDigits, JobsToNextTier(status.GetParam(103, 4)), kToNextPlaces);
    m_LargeDigits.DrawCell(kUnitMark, 0, kToNextMark.x, kToNextMark.y, kWhite);
    const int32_t rankPoints = status.GetParam(104, 4);
    DrawDigitRun(m_LargeDigits, PointsToNextRank(rankPoints, status.GetParam(104, 3)), kToRankPlaces);
    DrawDigitRun(m_LargeDigits, status.GetParam(104, 2), kWorkPlaces);
    DrawDigitRun(m_LargeDigits, rankPoints, kRankPointPlaces);
    DrawDigitRun(m_LargeDigits, status.GetParam(104, 0), kMoneyPlaces);
    m_LargeDigits.DrawCell(kMoneyMark, 0, kMoneyMarkPlace.x, kMoneyMarkPlace.y, kWhite);
    DrawDigitRun(m_LargeDigits, status.GetParam(104, 1), kStaminaPlaces);
    m_RankCells.DrawCell(status.GetMainRank(), 0, kRankPlace.x, kRankPlace.y, kWhite);
    for (int k = 0; k < 4; ++k) {
        const int32_t points = status.GetParam(106, 4 + k);
        const int32_t y = 96 * k;
        m_GradeCells.DrawCell(status.GetFriendStage(k), 0, 650, 110 + y, kWhite);
        m_SmallDigits.DrawCell(points / 100, 0, 696, 134 + y, kWhite);
        const SPoint pointPlaces[] = {{660, 157 + y}, {678, 157 + y}, {696, 157 + y}};
        DrawDigitRun(m_SmallDigits, points % 100, pointPlaces);
        const SPoint bonusPlaces[] = {{660, 182 + y}, {678, 182 + y}, {696, 182 + y}};
        DrawDigitRun(m_SmallDigits, status.GetParam(106, 12 + k), bonusPlaces);
    }
}

void CStatusPageScene1::OnDeviceRestored() {
    for (CImageButton& b : m_Buttons) b.Restore();
}
