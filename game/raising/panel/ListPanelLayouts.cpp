// The 22 fixed layouts of the list panel and their availability rules: layouts 0 to 9
// are the mansion side's menus, 10 to 21 the home side's.
#include <vector>

#include "game/core/RunningGame.h"
#include "game/raising/panel/ListPanel.h"

namespace {

enum ESheet : uint8_t { MANSION, HOME, HOME_SECOND, HOME_20, HOME_21 };

struct SSheetFile {
    const char* file;
    int32_t columns;
};

constexpr SSheetFile kSheets[] = {
    {"obj\\h002_000.bmp", 18}, {"obj\\m001_000.bmp", 29}, {"obj\\m001_001.bmp", 2},
    {"obj\\m001_002.bmp", 2},  {"obj\\m001_003.bmp", 2},
};
constexpr const char* kBackSheet = "obj\\h002_001.bmp";
constexpr const char* kDigitSheet = "obj\\c000_038.bmp";
constexpr int32_t kNone = -1;

struct SItem {
    int32_t column;
    bool second;  // the layout's second item sheet
    int32_t x, y;
};

struct SLayout {
    const char* background;
    int32_t x, y, anchor;
    ESheet sheet;
    std::vector<SItem> items;
    int32_t backX, backY;  // backX kNone: no back button
};

const std::vector<SLayout>& Layouts() {
    static const std::vector<SLayout> layouts = {
        {"obj\\h001_016.bmp", 184, 152, 0, MANSION, {{0, false, 256, 248}, {1, false, 256, 288}}, kNone, 0},
        {"obj\\h001_017.bmp", 152, 128, 1, MANSION,
         {{2, false, 224, 208}, {3, false, 224, 248}, {4, false, 224, 288}, {5, false, 224, 328}}, 408, 384},
        {"obj\\h001_018.bmp", 424, 128, 0, MANSION, {{6, false, 496, 232}, {7, false, 496, 272}}, 682, 312},
        {"obj\\h001_019.bmp", 176, 128, 2, MANSION,
         {{2, false, 224, 208}, {3, false, 224, 248}, {4, false, 224, 288}, {5, false, 224, 328}}, 408, 384},
        {"obj\\h001_020.bmp", 376, 176, 1, MANSION, {{8, false, 448, 280}, {1, false, 448, 320}}, kNone, 0},
        {"obj\\h001_021.bmp", 320, 152, 2, MANSION, {{9, false, 368, 272}, {1, false, 368, 312}}, kNone, 0},
        {"obj\\h001_022.bmp", 32, 176, 3, MANSION, {{10, false, 80, 240}, {11, false, 80, 280}, {12, false, 80, 320}},
         248, 368},
        {"obj\\h001_023.bmp", 352, 152, 0, MANSION, {{13, false, 424, 248}, {1, false, 424, 288}}, kNone, 0},
        {"obj\\h001_024.bmp", 304, 176, 3, MANSION, {{14, false, 352, 264}, {15, false, 352, 304}}, 512, 360},
        {"obj\\h001_025.bmp", 176, 176, 3, MANSION, {{16, false, 224, 272}, {17, false, 224, 312}}, kNone, 0},
        {"obj\\m000_012.bmp", 368, 160, 1, HOME, {{0, false, 448, 224}, {1, false, 448, 264}, {0, true, 448, 304}}, 608,
         344},
        {"obj\\m000_013.bmp", 160, 160, 1, HOME, {{2, false, 240, 224}, {3, false, 240, 264}, {4, false, 240, 304}}, 408,
         352},
        {"obj\\m000_014.bmp", 336, 128, 1, HOME,
         {{1, true, 416, 144},
          {6, false, 416, 184},
          {7, false, 416, 224},
          {8, false, 416, 264},
          {9, false, 416, 304},
          {10, false, 416, 344}},
         592, 384},
        {"obj\\m000_014.bmp", 336, 128, 1, HOME,
         {{11, false, 416, 184}, {12, false, 416, 224}, {13, false, 416, 264}, {14, false, 416, 304}}, 592, 376},
        {"obj\\m000_014.bmp", 336, 128, 1, HOME,
         {{15, false, 416, 184}, {16, false, 416, 224}, {17, false, 416, 264}, {18, false, 416, 304}}, 592, 376},
        {"obj\\m000_015.bmp", 56, 152, 2, HOME, {{19, false, 96, 240}, {1, false, 96, 280}}, 264, 336},
        {"obj\\m000_016.bmp", 72, 88, 3, HOME,
         {{5, false, 128, 144},
          {20, false, 128, 184},
          {21, false, 128, 224},
          {22, false, 128, 264},
          {1, false, 128, 304},
          {23, false, 128, 344}},
         304, 376},
        {"obj\\m000_017.bmp", 352, 152, 0, HOME, {{24, false, 424, 248}}, 608, 336},
        {"obj\\m000_018.bmp", 304, 176, 2, HOME, {{25, false, 352, 264}, {26, false, 352, 304}}, 512, 360},
        {"obj\\m000_019.bmp", 304, 176, 3, HOME, {{27, false, 352, 312}, {28, false, 352, 272}}, kNone, 0},
        {"obj\\m000_020.bmp", 40, 210, 3, HOME_20, {{0, false, 90, 260}, {1, false, 90, 300}}, 120, 340},
        {"obj\\m000_020.bmp", 40, 210, 3, HOME_21, {{0, false, 90, 260}, {1, false, 90, 300}}, 120, 340},
    };
    return layouts;
}

struct SNumberSpec {
    int32_t layout;
    int32_t value;  // kNone: the running game's tier value
    bool twoDigits;
    SPoint first, second;
};

constexpr SNumberSpec kNumbersA[] = {
    {0, 8, false, {486, 201}, {}}, {1, 6, false, {450, 171}, {}},           {3, 6, false, {450, 170}, {}},
    {4, 5, false, {677, 229}, {}}, {5, 10, true, {562, 198}, {585, 195}}, {7, 2, false, {654, 200}, {}},
};
constexpr SNumberSpec kNumberB5 = {5, kNone, true, {562, 231}, {586, 227}};

bool IsMomentaryLayout(int32_t layout) { return layout == 8 || layout == 18; }

int32_t GP(int category, int index) { return GetRunningParam(category, index); }

}  // namespace

bool CListPanel::SetupPanelImages(int32_t layout) {
    Release();
    m_Type = layout;
    if (layout < 0 || layout >= kLayoutCount) {
        return true;
    }
    const SLayout& l = Layouts()[static_cast<size_t>(layout)];
    m_X = l.x;
    m_Y = l.y;
    for (size_t i = 0; i < l.items.size(); ++i) {
        m_ItemPos[i] = SPoint{l.items[i].x, l.items[i].y};
    }
    if (l.backX != kNone) {
        m_BackPos = SPoint{l.backX, l.backY};
    }

    m_Background.LoadFile(l.background, 0, 0);
    m_ItemSheet.LoadFile(kSheets[l.sheet].file, 0, 1);
    const bool hasSecond = layout == 10 || layout == 12;
    if (hasSecond) {
        m_ItemSheet2.LoadFile(kSheets[HOME_SECOND].file, 0, 1);
    }
    for (size_t i = 0; i < l.items.size(); ++i) {
        const SItem& it = l.items[i];
        CImageWidget& item = m_Items[i];
        if (it.second) {
            item.SetupColumn(&m_ItemSheet2, kSheets[HOME_SECOND].columns, 5, it.column);
        } else {
            item.SetupColumn(&m_ItemSheet, kSheets[l.sheet].columns, 5, it.column);
        }
        item.SetReactWhenUnchecked(true);
        item.SetReactWhenChecked(false);
        item.SetMomentary(IsMomentaryLayout(layout));
        item.SetPosition(it.x, it.y);
    }
    if (l.backX != kNone) {
        m_BackSheet.LoadFile(kBackSheet, 0, 0);
        m_BackButton.SetupColumn(&m_BackSheet, 1, 5, 0);
        m_BackButton.SetReactWhenUnchecked(true);
        m_BackButton.SetReactWhenChecked(false);
        m_BackButton.SetMomentary(false);
        m_BackButton.SetPosition(l.backX, l.backY);
    }
    m_Anchor = l.anchor;
    _ApplyRules(layout);

    bool numbers = false;
    auto setNumber = [&](SNumber& n, const SNumberSpec& spec) {
        numbers = true;
        if (spec.value != kNone) {
            n.value = spec.value;
        } else {
            const CStatus* status = GetRunningStatus();
            n.value = status ? status->GetTierValue16() : CStatus().GetTierValue16();
        }
        n.flags[NUMBER_SHOWN] = 1;
        n.flags[NUMBER_TWO_DIGITS] = spec.twoDigits ? 1 : 0;
        n.pos[0] = spec.first;
        n.pos[1] = spec.second;
    };
    for (const SNumberSpec& spec : kNumbersA) {
        if (spec.layout == layout) setNumber(m_NumberA, spec);
    }
    if (layout == kNumberB5.layout) setNumber(m_NumberB, kNumberB5);
    if (numbers) {
        m_DigitSheet.LoadFile(kDigitSheet, 0, 0);
        m_Digits.Set(&m_DigitSheet, 11, 1);
    }
    return true;
}

void CListPanel::_ApplyRules(int32_t layout) {
    auto remove = [this](int k) { m_Items[static_cast<size_t>(k)].Reset(); };
    auto lock = [this](int k) { m_Items[static_cast<size_t>(k)].Lock(); };
    // A new game's first week (year 1, month 4, week 1) offers no item 3.
    const bool firstWeek = GP(109, 0) == 1 && GP(109, 1) == 4 && GP(109, 2) == 1;
    const int32_t money = GP(104, 0);
    const int32_t satiety = GP(100, 9);
    const bool story = GP(1, 8) != 0;
    const bool season7 = GP(107, 0) == 7;
    switch (layout) {
    case 1:
    case 3:
        if (firstWeek) remove(3);
        for (int k = 0; k < 4; ++k) {
            const bool full = layout == 1 ? GP(106, 4 + k) / 100 >= 9 : GP(106, 12 + k) >= 100;
            if (full) lock(k);
        }
        break;
    case 2:
        // Manner 0 costs 25: below that the money would be taken whole for less.
        if (money < 25) lock(0);
        break;
    case 6:
        if (money < 300) lock(2);
        if (money < 120) lock(1), lock(2);
        if (money < 40) lock(0), lock(1), lock(2);
        break;
    case 10:
        if (!story) remove(1), remove(2);
        if (GP(100, 7) < 20) remove(2);
        if (satiety < 50) lock(1), lock(2);
        break;
    case 11: {
        const int32_t limits[3] = {season7 ? 17 : 15, season7 ? 22 : 20, season7 ? 27 : 25};
        for (int k = 0; k < 3; ++k) {
            if (satiety < limits[k]) lock(k);
        }
        if (GP(11, 0) == 0 && GP(12, 0) == 0 && GP(13, 0) == 0) remove(2);
        break;
    }
    case 12: {
        const bool owned = GP(102, 4) != 0 || story;
        if (!(GP(102, 5) == 1 && owned)) remove(1);
        if (!(GP(102, 6) == 1 && owned)) remove(2);
        if (GP(102, 7) == 0) remove(3);
        if (GP(102, 4) == 0) remove(4);
        if (GP(102, 7) == 0) remove(5);
        if (!story) remove(4), remove(5);
        if (GP(101, 0) < 5) remove(4);
        if (GP(101, 0) < 10) remove(5);
        if (satiety < 60) lock(4), lock(5);
        break;
    }
    case 14: {
        const bool a = GP(11, 0) != 0, b = GP(12, 0) != 0, c = GP(13, 0) != 0;
        if (!a) remove(0);
        if (!b) remove(1);
        if (!c) remove(2);
        if (!a || !b || !c) remove(3);
        break;
    }
    case 15:
        if (!story || GP(14, 67) == 0) remove(1);
        if (satiety < 50) lock(1);
        break;
    case 16:
        if (!story) remove(4), remove(5);
        if (satiety < 50) lock(4), lock(5);
        if (GP(102, 2) == 0) remove(1);
        if (GP(102, 12) == 0) remove(2);
        if (GP(102, 18) == 0) remove(3);
        if (GP(102, 21) == 0 || GP(14, 68) == 0) remove(5);
        break;
    case 20:
    case 21:
        if (GP(102, layout == 20 ? 5 : 6) == 0) {
            remove(0), remove(1);
            break;
        }
        if (GP(102, 4) == 0) remove(0);
        if (!story) {
            remove(1);
        } else if (satiety < (season7 ? 32 : 30)) {
            lock(1);
        }
        break;
    default: break;
    }
}
