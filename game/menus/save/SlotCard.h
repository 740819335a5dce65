#pragma once
// One save slot as the save and load screens show it: the thumbnail (or the empty-slot
// picture), and over the slot's frame the slot number, the save date, the saved game's
// calendar, figures and rank, the last-saved mark and the carry mark.  Places are given
// by the slot's place on its page (k = slot mod 4: 0 upper left, 1 lower left, 2 upper
// right, 3 lower right) before the page's slide, which moves everything by dx.
#include <array>
#include <cstdint>
#include <string>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "platform/sys/Geometry.h"

class CSaveData;

class CSlotCard {
public:
    static constexpr int kPlaces = 4;
    static constexpr const char* kEmptyPicture = "obj\\c000_008.bmp";
    static constexpr const char* kDateDigits = "obj\\c000_006.bmp";     // 10 × 1
    static constexpr const char* kStatusDigits = "obj\\c000_009.bmp";   // 10 × 1
    static constexpr const char* kCaptions = "obj\\c000_010.bmp";       // 5 × 1
    static constexpr const char* kRanks = "obj\\c000_011.bmp";          // 6 × 1
    static constexpr const char* kLastSavedMark = "obj\\c000_012.bmp";
    static constexpr const char* kCarryMark = "obj\\c001_001.bmp";
    static constexpr int32_t kThumbWidth = 200;
    static constexpr int32_t kThumbHeight = 150;

    using Places = std::array<SPoint, kPlaces>;
    static constexpr Places kThumb = {SPoint{20, 122}, SPoint{20, 374}, SPoint{425, 122}, SPoint{425, 374}};
    static constexpr Places kNumberTens = {SPoint{132, 96}, SPoint{132, 349}, SPoint{537, 96}, SPoint{537, 350}};
    static constexpr Places kNumberOnes = {SPoint{149, 98}, SPoint{149, 351}, SPoint{555, 98}, SPoint{555, 352}};
    static constexpr Places kLastSaved = {SPoint{313, 106}, SPoint{313, 359}, SPoint{718, 106}, SPoint{718, 359}};
    static constexpr Places kCarry = {SPoint{179, 88}, SPoint{179, 341}, SPoint{584, 88}, SPoint{584, 341}};
    static constexpr Places kRank = {SPoint{277, 171}, SPoint{277, 424}, SPoint{682, 171}, SPoint{682, 424}};
    // Save date: year, month, day, hour, minute; tens then ones.
    static constexpr std::array<std::array<SPoint, 10>, kPlaces> kDate = {{
        {SPoint{19, 277}, {36, 279}, {75, 280}, {91, 278}, {131, 278}, {148, 280}, {185, 280}, {202, 278},
         {243, 277}, {260, 280}},
        {SPoint{19, 530}, {36, 532}, {75, 533}, {92, 531}, {131, 530}, {148, 532}, {184, 533}, {201, 531},
         {243, 531}, {260, 533}},
        {SPoint{424, 277}, {441, 279}, {480, 280}, {497, 278}, {536, 277}, {553, 279}, {589, 280}, {606, 278},
         {648, 278}, {665, 280}},
        {SPoint{424, 530}, {441, 532}, {480, 533}, {497, 531}, {536, 530}, {553, 532}, {589, 533}, {606, 531},
         {648, 531}, {665, 533}},
    }};
    static constexpr std::array<std::array<SPoint, 5>, kPlaces> kCaption = {{
        {SPoint{265, 135}, {313, 137}, {345, 136}, {346, 212}, {344, 255}},
        {SPoint{265, 388}, {313, 390}, {345, 389}, {346, 465}, {344, 508}},
        {SPoint{670, 135}, {718, 137}, {750, 136}, {751, 212}, {749, 255}},
        {SPoint{670, 388}, {718, 390}, {750, 389}, {751, 465}, {749, 508}},
    }};
    // Status digits, highest place first.
    static constexpr std::array<std::array<SPoint, 2>, kPlaces> kYear = {
        {{SPoint{235, 133}, {249, 135}}, {SPoint{235, 386}, {249, 388}}, {SPoint{640, 133}, {654, 135}},
         {SPoint{640, 386}, {654, 388}}}};
    static constexpr std::array<std::array<SPoint, 2>, kPlaces> kMonth = {
        {{SPoint{287, 134}, {299, 132}}, {SPoint{287, 387}, {299, 385}}, {SPoint{692, 134}, {704, 132}},
         {SPoint{692, 387}, {704, 385}}}};
    static constexpr Places kWeek = {SPoint{330, 133}, SPoint{330, 386}, SPoint{735, 133}, SPoint{735, 386}};
    static constexpr std::array<std::array<SPoint, 3>, kPlaces> kRatio = {
        {{SPoint{301, 212}, {316, 208}, {331, 211}},
         {SPoint{301, 465}, {316, 461}, {332, 464}},
         {SPoint{706, 212}, {721, 208}, {736, 211}},
         {SPoint{706, 465}, {721, 461}, {736, 464}}}};
    static constexpr std::array<std::array<SPoint, 7>, kPlaces> kMoney = {{
        {SPoint{246, 252}, {260, 249}, {274, 247}, {288, 251}, {302, 247}, {316, 251}, {330, 248}},
        {SPoint{246, 505}, {260, 502}, {274, 500}, {288, 504}, {302, 500}, {316, 504}, {330, 501}},
        {SPoint{651, 252}, {665, 249}, {679, 247}, {693, 251}, {707, 247}, {721, 251}, {735, 248}},
        {SPoint{651, 505}, {665, 502}, {679, 500}, {693, 504}, {707, 500}, {721, 504}, {735, 501}},
    }};

    // The thumbnail file of slot s (0 to 35): "save\save01.bmp" to "save\save36.bmp";
    // empty (logged) for another s.
    static std::string ThumbnailPath(int slot);
    // The calendar year the card shows: the game year, one less in months 1 to 3.
    static int32_t ShownYear(int32_t year, int32_t month);

    // Loads every sheet the cards draw from.
    void Load();
    void Restore();

    // The thumbnail (null or empty: the card has no picture) or, for an empty slot, the
    // empty-slot picture.
    void DrawPicture(int place, bool used, CImagePlane* thumbnail, int32_t dx, uint32_t colour);
    // The slot number and, for a used slot, its date, marks, captions, rank and figures.
    void DrawDetails(int slot, const CSaveData& record, bool lastSaved, int32_t dx, uint32_t colour);

private:
    CImagePlane m_Empty;
    CImagePlane m_DateSheet;
    CCellImage m_DateDigits;
    CImagePlane m_StatusSheet;
    CCellImage m_StatusDigits;
    CImagePlane m_CaptionSheet;
    CCellImage m_CaptionCells;
    CImagePlane m_RankSheet;
    CCellImage m_RankCells;
    CImagePlane m_LastSavedPlane;
    CImagePlane m_CarryPlane;
};
