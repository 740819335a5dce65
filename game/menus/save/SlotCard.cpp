#include "game/menus/save/SlotCard.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/SaveData.h"
#include "game/core/Status.h"
#include "game/menus/kit/DigitRun.h"

namespace {

// Places shifted right by the page's slide.
template <size_t N>
std::array<SPoint, N> Shifted(const std::array<SPoint, N>& places, int32_t dx) {
    std::array<SPoint, N> out = places;
    for (SPoint& p : out) p.x += dx;
    return out;
}

// Two digits that always show, tens then ones (slot numbers and dates).  Values past
// 99 show 99 and negative ones (a damaged file) nothing, so no cell outside the sheet
// is ever asked for.
void DrawTwoDigits(const CCellImage& digits, int32_t value, SPoint tens, SPoint ones, int32_t dx,
                   uint32_t colour) {
    if (value < 0) return;
    const int32_t v = std::min(value, 99);
    DrawCell(digits, v / 10, 0, tens.x + dx, tens.y, colour);
    DrawCell(digits, v % 10, 0, ones.x + dx, ones.y, colour);
}

void LoadCells(CImagePlane& plane, CCellImage& cells, const char* file, int32_t columns) {
    cells.Clear();
    if (plane.LoadFile(file)) cells.Set(&plane, columns, 1);
}

}  // namespace

std::string CSlotCard::ThumbnailPath(int slot) {
    if (slot < 0 || slot >= CSaveData::kSlotCount) {
        DebugPrintf("CSlotCard::ThumbnailPath() スロット番号が範囲外です[%d]", slot);
        return std::string();
    }
    return FormatString("save\\save%02d.bmp", slot + 1);
}

int32_t CSlotCard::ShownYear(int32_t year, int32_t month) { return month >= 1 && month <= 3 ? year - 1 : year; }

void CSlotCard::Load() {
    m_Empty.LoadFile(kEmptyPicture);
    LoadCells(m_DateSheet, m_DateDigits, kDateDigits, 10);
    LoadCells(m_StatusSheet, m_StatusDigits, kStatusDigits, 10);
    LoadCells(m_CaptionSheet, m_CaptionCells, kCaptions, 5);
    LoadCells(m_RankSheet, m_RankCells, kRanks, 6);
    m_LastSavedPlane.LoadFile(kLastSavedMark);
    m_CarryPlane.LoadFile(kCarryMark);
}

void CSlotCard::Restore() {
    for (CImagePlane* plane : {&m_Empty, &m_DateSheet, &m_StatusSheet, &m_CaptionSheet, &m_RankSheet,
                               &m_LastSavedPlane, &m_CarryPlane}) {
        if (plane->IsLoaded()) plane->Restore();
    }
}

void CSlotCard::DrawPicture(int place, bool used, CImagePlane* thumbnail, int32_t dx, uint32_t colour) {
    const SPoint at = kThumb[static_cast<size_t>(place)];
    if (!used) {
        m_Empty.Draw(at.x + dx, at.y, colour);
    } else if (thumbnail && thumbnail->IsLoaded()) {
        thumbnail->Draw(at.x + dx, at.y, colour);
    }
}

void CSlotCard::DrawDetails(int slot, const CSaveData& record, bool lastSaved, int32_t dx, uint32_t colour) {
    const size_t k = static_cast<size_t>(slot % kPlaces);
    DrawTwoDigits(m_DateDigits, slot + 1, kNumberTens[k], kNumberOnes[k], dx, colour);
    if (record.m_Used == 0) return;

    const auto& date = kDate[k];
    const SSaveTime& t = record.m_Time;
    // The year's last two digits.
    DrawTwoDigits(m_DateDigits, t.year < 0 ? -1 : t.year % 100, date[0], date[1], dx, colour);
    DrawTwoDigits(m_DateDigits, t.month, date[2], date[3], dx, colour);
    DrawTwoDigits(m_DateDigits, t.day, date[4], date[5], dx, colour);
    DrawTwoDigits(m_DateDigits, t.hour, date[6], date[7], dx, colour);
    DrawTwoDigits(m_DateDigits, t.minute, date[8], date[9], dx, colour);

    if (lastSaved) m_LastSavedPlane.Draw(kLastSaved[k].x + dx, kLastSaved[k].y, colour);
    if (record.m_CarryMark != 0) m_CarryPlane.Draw(kCarry[k].x + dx, kCarry[k].y, colour);
    for (int32_t c = 0; c < 5; ++c) {
        const SPoint at = kCaption[k][static_cast<size_t>(c)];
        DrawCell(m_CaptionCells, c, 0, at.x + dx, at.y, colour);
    }

    const CStatus& status = record.GetGameState().GetStatus();
    const int rank = CStatus::RankOf(status.GetParam(104, 4));
    DrawCell(m_RankCells, rank, 0, kRank[k].x + dx, kRank[k].y, colour);

    const int32_t month = status.GetParam(109, 1);
    const std::array<SPoint, 1> week = {kWeek[k]};
    DrawDigitRun(m_StatusDigits, ShownYear(status.GetParam(109, 0), month), Shifted(kYear[k], dx), colour);
    DrawDigitRun(m_StatusDigits, month, Shifted(kMonth[k], dx), colour);
    DrawDigitRun(m_StatusDigits, status.GetParam(109, 2), Shifted(week, dx), colour);
    DrawDigitRun(m_StatusDigits, status.GetParam(108, 3), Shifted(kRatio[k], dx), colour);
    DrawDigitRun(m_StatusDigits, status.GetParam(104, 0), Shifted(kMoney[k], dx), colour);
}
