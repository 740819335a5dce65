// The side cards of the mansion menu: each card slides in from the top right to the
// right of the screen with its figures drawn digit by digit (places in
// docs/mansion-menu.md, relative to the card's offset).
#include "game/core/Status.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"

namespace {

constexpr int32_t kLineY = 116;  // the stamina and cost lines of the cards
constexpr int kUnit = 0, kMinus = 1, kSlash = 2;

uint32_t Faded(int32_t alpha) { return (static_cast<uint32_t>(alpha & 0xFF) << 24) | 0xFFFFFFu; }

std::vector<SPoint> Row(std::initializer_list<int32_t> xs, int32_t y) {
    std::vector<SPoint> out;
    for (int32_t x : xs) out.push_back(SPoint{x, y});
    return out;
}

}  // namespace

void CMansionMenuScene::_DrawDigit(int d, int32_t x, int32_t y, uint32_t colour) const {
    m_DigitCells.DrawCell(d, 0, x, y, colour);
}

void CMansionMenuScene::_DrawSign(int cell, int32_t x, int32_t y, uint32_t colour) const {
    m_SignCells.DrawCell(cell, 0, x, y, colour);
}

void CMansionMenuScene::_DrawNumber(int32_t value, const std::vector<SPoint>& places, SPoint o, uint32_t colour) const {
    int64_t v = value < 0 ? -static_cast<int64_t>(value) : value;
    for (const SPoint& p : places) {
        _DrawDigit(static_cast<int>(v % 10), p.x + o.x, p.y + o.y, colour);
        v /= 10;
        if (v == 0) break;
    }
}

void CMansionMenuScene::_DrawCostLine(int32_t cost, SPoint o, uint32_t colour) const {
    _DrawNumber(cost, Row({710, 697}, kLineY), o, colour);
    _DrawSign(kSlash, 723 + o.x, kLineY + o.y, colour);
    _DrawNumber(_Status().GetParam(104, 1), Row({762, 749, 734}, kLineY), o, colour);
}

void CMansionMenuScene::_DrawStaminaLine(SPoint o, uint32_t colour) const {
    _DrawNumber(_Status().GetParam(104, 1), Row({710, 697, 684}, kLineY), o, colour);
    _DrawSign(kSlash, 723 + o.x, kLineY + o.y, colour);
    _DrawNumber(300, Row({762, 749, 734}, kLineY), o, colour);
}

void CMansionMenuScene::_DrawStatus() {
    for (int i = 0; i < kCardCount; ++i) {
        const SSide& p = m_Sides[static_cast<size_t>(i)];
        if (p.state == HIDDEN) continue;
        const uint32_t colour = Faded(p.fade.GetValue());
        const SPoint o = GetSideShift(i);
        m_CardCells.DrawCell(i, 0, kCardX + o.x, o.y, colour);
        _DrawCard(i, o, colour);
    }
}

void CMansionMenuScene::_DrawCard(int i, SPoint o, uint32_t colour) {
    const CStatus& s = _Status();
    switch (i) {
    case 0: {
        m_EmblemCells.DrawCell(s.GetMainRank(), 0, 488 + o.x, 32 + o.y, colour);
        const int32_t season = s.GetParam(107, 0);
        if (season != 0) m_EmblemCells.DrawCell(season + 5, 0, 488 + o.x, 108 + o.y, colour);
        _DrawNumber(s.GetModeFactor(), Row({533}, 63), o, colour);
        _DrawSign(kUnit, 547 + o.x, 63 + o.y, colour);
        _DrawNumber(s.GetParam(104, 0), Row({534, 522, 508, 496, 484, 470, 457}, 90), o, colour);
        _DrawSign(kUnit, 548 + o.x, 90 + o.y, colour);
        _DrawStaminaLine(o, colour);
        break;
    }
    case 1: {
        _DrawNumber(s.GetParam(104, 2), Row({547, 532, 517, 502}, 38), o, colour);
        const int32_t eval = s.GetParam(104, 3);
        const std::vector<SPoint> places = Row({547, 533, 518, 503}, 62);
        _DrawNumber(eval, places, o, colour);
        if (eval < 0) {
            static constexpr int32_t kMinusX[] = {533, 518, 503, 488};
            int digits = 1;
            for (int32_t v = -eval; v >= 10 && digits < 4; v /= 10) ++digits;
            _DrawSign(kMinus, kMinusX[digits - 1] + o.x, 62 + o.y, colour);
        }
        m_LabelPlane.Draw(496 + o.x, 84 + o.y, colour);
        m_LevelCells.DrawCell((5 - s.GetLevel5()) % 6, 0, 543 + o.x, 88 + o.y, colour);
        _DrawCostLine(8, o, colour);
        break;
    }
    case 2: {
        static constexpr int32_t kY[] = {32, 58, 85, 110};
        for (int f = 0; f < 4; ++f) m_StageCells.DrawCell(s.GetFriendStage(f), 0, 512 + o.x, kY[f] + o.y, colour);
        _DrawCostLine(6, o, colour);
        break;
    }
    case 3: {
        static constexpr SPoint kOnes[] = {{548, 38}, {548, 61}, {546, 88}, {546, 115}};
        for (int f = 0; f < 4; ++f) {
            const SPoint one = kOnes[f];
            _DrawNumber(s.GetParam(106, 12 + f), Row({one.x, one.x - 15, one.x - 30}, one.y), o, colour);
        }
        _DrawCostLine(6, o, colour);
        break;
    }
    case 4:
        m_LabelPlane.Draw(504 + o.x, 34 + o.y, colour);
        m_LevelCells.DrawCell((5 - s.GetLevel5()) % 6, 0, 546 + o.x, 36 + o.y, colour);
        _DrawNumber(s.GetParam(104, 8), {SPoint{547, 60}, SPoint{533, 58}}, o, colour);
        _DrawCostLine(5, o, colour);
        break;
    case 5:
        _DrawNumber(s.GetParam(104, 0), Row({534, 522, 509, 497, 483, 468, 454}, 37), o, colour);
        _DrawSign(kUnit, 548 + o.x, 38 + o.y, colour);
        _DrawStaminaLine(o, colour);
        break;
    case 6:
        _DrawNumber(s.GetTierValue240(), {SPoint{544, 39}, SPoint{531, 39}, SPoint{518, 36}}, o, colour);
        _DrawSign(kMinus, 677 + o.x, 35 + o.y, colour);
        _DrawNumber(s.GetTierValue16(), {SPoint{710, 36}, SPoint{694, 38}}, o, colour);
        _DrawDigit(1, 480 + o.x, 61 + o.y, colour);
        _DrawDigit(0, 494 + o.x, 61 + o.y, colour);
        _DrawSign(kSlash, 508 + o.x, 61 + o.y, colour);
        _DrawNumber(s.GetParam(104, 1), Row({547, 533, 520}, 61), o, colour);
        break;
    default: break;
    }
}
