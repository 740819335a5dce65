#include "game/menus/status/StatusPageScene2.h"

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
constexpr int32_t kMark = 10;
constexpr int32_t kRowStep = 24;
constexpr int32_t kTop = 100;

// Tab 1's values: a status pair, or one word of the home pair counters (101, 7) and
// (101, 8), which the page shows apart; row 21 adds (101, 26) to (101, 25).
constexpr int kWordOf = -1;
struct SValue {
    int category;
    int index;  // with kWordOf: counter × 2 + word
};
constexpr SValue kValues[CStatusPageScene2::kValueRows] = {
    {101, 2},  {101, 6},  {kWordOf, 0}, {kWordOf, 1}, {kWordOf, 2}, {kWordOf, 3}, {101, 9},
    {101, 12}, {101, 13}, {101, 14},    {101, 15},    {101, 16},    {101, 18},    {101, 17},
    {101, 19}, {101, 21}, {101, 22},    {101, 23},    {101, 24},    {101, 28},    {101, 3},
    {101, 25}, {101, 29}, {101, 26},    {101, 10},    {101, 11},    {101, 4}};

// A row is open when every one of its conditions holds: the pair equals the value, or
// reaches it with `atLeast`.
struct SCondition {
    int category;
    int index;
    int32_t value;
    bool atLeast;
};
struct SOpening {
    int count;
    SCondition conditions[3];
};
constexpr SCondition kPaired{1, 8, 1, false};
constexpr SOpening kOpenings[CStatusPageScene2::kValueRows] = {
    {0, {}},
    {0, {}},
    {2, {{102, 5, 1, false}, {102, 4, 1, false}}},
    {2, {{102, 5, 1, false}, kPaired}},
    {2, {{102, 6, 1, false}, {102, 4, 1, false}}},
    {2, {{102, 6, 1, false}, kPaired}},
    {1, {{102, 7, 1, false}}},
    {0, {}},
    {0, {}},
    {0, {}},
    {0, {}},
    {1, {{11, 0, 1, true}}},
    {1, {{13, 0, 1, false}}},
    {1, {{12, 0, 1, false}}},
    {3, {{11, 0, 1, true}, {12, 0, 1, false}, {13, 0, 1, false}}},
    {0, {}},
    {1, {{102, 2, 1, false}}},
    {1, {{102, 12, 1, false}}},
    {1, {{102, 18, 1, false}}},
    {0, {}},
    {1, {kPaired}},
    {1, {kPaired}},
    {2, {kPaired, {14, 67, 1, false}}},
    {3, {kPaired, {102, 21, 1, false}, {14, 68, 1, false}}},
    {3, {{102, 4, 1, false}, kPaired, {101, 0, 5, true}}},
    {3, {{102, 7, 1, false}, kPaired, {101, 0, 10, true}}},
    {1, {kPaired}},
};

}  // namespace

int32_t CStatusPageScene2::RowValue(const CStatus& status, int row) {
    if (row < 0 || row >= kValueRows) return 0;
    const SValue& v = kValues[row];
    if (v.category == kWordOf) return status.Words().homePairCounter[v.index / 2][v.index % 2];
    if (row == 21) return status.GetParam(101, 25) + status.GetParam(101, 26);
    return status.GetParam(v.category, v.index);
}

bool CStatusPageScene2::RowOpen(const CStatus& status, int row) {
    if (row < 0 || row >= kValueRows) return false;
    const SOpening& o = kOpenings[row];
    for (int i = 0; i < o.count; ++i) {
        const SCondition& c = o.conditions[i];
        const int32_t v = status.GetParam(c.category, c.index);
        if (c.atLeast ? v < c.value : v != c.value) return false;
    }
    return true;
}

int32_t CStatusPageScene2::FaceCell(int32_t seasonKind, int32_t satiety) {
    switch (seasonKind) {
    case 3: return 6;
    case 4: return 7;
    case 7: return 8;
    case 8: return 10;
    default: break;
    }
    if (satiety <= 20) return 11;
    if (satiety <= 40) return 12;
    if (satiety <= 60) return 13;
    if (satiety <= 80) return 14;
    return 15;
}

void CStatusPageScene2::Load() {
    m_ButtonSheet.LoadFile(kButtonSheet);
    for (size_t i = 0; i < m_Buttons.size(); ++i) {
        m_Buttons[i].SetupColumn(&m_ButtonSheet, 5, 5, static_cast<int32_t>(i) + 1);
        m_Buttons[i].SetPosition(kButtonPlaces[i].x, kButtonPlaces[i].y);
    }
    // The tabs stay checked; the page and return buttons release themselves.
    m_Buttons[0].SetMomentary(true);
    m_Buttons[3].SetMomentary(true);
    m_ItemSheet.LoadFile(kItems);
    m_ItemCells.Set(&m_ItemSheet, kItemCells, 1);
    m_DigitSheet.LoadFile(kSmallDigits);
    m_Digits.Set(&m_DigitSheet, kSmallDigitCells, 1);
    m_SideDigitSheet.LoadFile(kSmallDigits);
    m_SideDigits.Set(&m_SideDigitSheet, kSmallDigitCells, 1);
    m_Slash.LoadFile(kSlash);
    for (size_t i = 0; i < m_HelperIcons.size(); ++i) m_HelperIcons[i].LoadFile(kHelpers[i]);
    m_FaceSheet.LoadFile(kFaces);
    m_FaceCells.Set(&m_FaceSheet, kFaceCells, 1);
    m_MarkerPlane.LoadFile(kMarker, 0, 1);
    m_LockSheet.LoadFile(kLocks);
    m_LockCells.Set(&m_LockSheet, kLockColumns, kLockRows);
    SetTab(0);
    if (GetRunningStatus() == nullptr) {
        DebugPrintf("CStatusPageScene2::Load() ゲームの状態がありません");
    }
}

void CStatusPageScene2::SetTab(int32_t tab) {
    m_Tab = tab;
    if (tab != 0 && tab != 1) return;
    CImageButton& on = m_Buttons[tab == 0 ? 1 : 2];
    CImageButton& off = m_Buttons[tab == 0 ? 2 : 1];
    on.SetChecked();
    off.SetUnchecked();
    m_Background.LoadFile(tab == 0 ? kItemBackground : kValueBackground);
}

void CStatusPageScene2::Update() {
    switch (UpdatePageButtons(m_Game, m_Buttons)) {
    case 0: RequestGotoScene(kOtherPage, 1, 15); break;
    case 1: SetTab(0); break;
    case 2: SetTab(1); break;
    case 3: RequestReturnScene(1, 15); break;
    default: break;
    }
}

void CStatusPageScene2::Draw() {
    m_Background.Draw(0, 0, kWhite);
    for (CImageButton& b : m_Buttons) b.DrawPlain(kWhite);
    const CStatus* status = GetRunningStatus();
    if (status == nullptr) return;
    if (m_Tab == 0) {
        _DrawItems(*status);
    } else if (m_Tab == 1) {
        _DrawValues(*status);
    }
    _DrawSidePanel(*status);
}

void CStatusPageScene2::_DrawItems(const CStatus& status) {
    for (int r = 0; r < kItemRows; ++r) {
        if (status.GetParam(102, ItemOfRow(r)) == 0) continue;
        const bool left = r < 17;
        int32_t y = kTop + kRowStep * (left ? r : r - 17);
        if (r == 26) y = 315;  // this row stands one pixel higher on the sheet's layout
        m_ItemCells.DrawCell(r, 0, left ? 64 : 272, y, kWhite);
    }
}

void CStatusPageScene2::_DrawValues(const CStatus& status) {
    for (int r = 0; r < kValueRows; ++r) {
        const bool left = r < 16;
        const int32_t y = kTop + kRowStep * (left ? r : r - 16);
        const int32_t x0 = left ? 148 : 348;
        const SPoint places[] = {{x0, y}, {x0 + 16, y}, {x0 + 32, y}, {x0 + 48, y}, {x0 + 64, y}};
        DrawDigitRun(m_Digits, std::min(RowValue(status, r), kValueMax), places);
        if (!RowOpen(status, r)) {
            if (left) {
                m_LockCells.DrawCell(0, r, 50, y, kWhite);
            } else {
                m_LockCells.DrawCell(1, r - 16, 255, y, kWhite);
            }
        }
    }
}

void CStatusPageScene2::_DrawSidePanel(const CStatus& status) {
    auto three = [this](int32_t value, int32_t y) {
        const SPoint places[] = {SPoint{632, y}, SPoint{652, y}, SPoint{672, y}};
        DrawDigitRun(m_SideDigits, value, places);
    };
    auto four = [this](int32_t value, int32_t y) {
        const SPoint places[] = {SPoint{612, y}, SPoint{632, y}, SPoint{652, y}, SPoint{672, y}};
        DrawDigitRun(m_SideDigits, value, places);
    };
    three(status.GetParam(100, 7), 204);
    three(status.GetParam(100, 3), 228);
    three(status.GetParam(100, 4), 252);
    three(status.GetEffectiveStat(), 276);
    three(status.GetParam(100, 6), 300);
    const int32_t satiety = status.GetParam(100, 8);
    three(satiety, 324);
    m_SideDigits.DrawCell(kMark, 0, 688, 324, kWhite);
    three(status.GetParam(100, 9), 348);
    m_SideDigits.DrawCell(kMark, 0, 688, 348, kWhite);
    three(satiety, 396);
    m_SideDigits.DrawCell(kMark, 0, 688, 396, kWhite);
    four(status.GetParam(100, 10), 420);
    four(status.GetScaledAllowance(), 444);
    const SPoint ownPlaces[] = {{600, 492}, {615, 492}, {630, 492}};
    DrawDigitRun(m_SideDigits, status.GetClamped200(), ownPlaces);
    const SPoint limitPlaces[] = {{660, 492}, {675, 492}, {690, 492}};
    DrawDigitRun(m_SideDigits, 200, limitPlaces);
    three(status.GetScore100(), 518);
    m_Slash.Draw(645, 492, kWhite);

    constexpr SPoint kHelperPlaces[] = {{604, 469}, {664, 469}, {693, 469}};
    for (size_t i = 0; i < m_HelperIcons.size(); ++i) {
        if (status.GetParam(132, 25 + static_cast<int>(i)) != 0) {
            m_HelperIcons[i].Draw(kHelperPlaces[i].x, kHelperPlaces[i].y, kWhite);
        }
    }
    m_FaceCells.DrawCell(FaceCell(status.GetParam(107, 0), satiety), 0, 632, 372, kWhite);

    const int32_t width = m_MarkerPlane.GetWidth();
    const int32_t scales[3][2] = {
        {100 - status.GetParam(100, 0), 110}, {status.GetParam(100, 1), 142}, {status.GetParam(100, 2), 174}};
    for (const auto& s : scales) m_MarkerPlane.Draw(MarkerLeft(s[0], width), s[1], kWhite);
}

void CStatusPageScene2::OnDeviceRestored() {
    for (CImageButton& b : m_Buttons) b.Restore();
    m_MarkerPlane.LoadFile(kMarker, 0, 1);
}
