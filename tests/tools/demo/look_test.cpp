// What the demo's pictures let a player read: disabled controls look disabled, every
// track title and settings row has its words, balloons stand on the screen apart from
// each other, and the menu backdrops reach the screen's bottom edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "engine/adv/AdvCommandControl.h"
#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/VoiceName.h"
#include "game/menus/music/MusicRoomScene.h"
#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "game/menus/status/GuideScene.h"
#include "game/raising/home/HomeHelpLines.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/mansionmenu/ShopScene.h"
#include "game/raising/wide/WideBackground.h"
#include "platform/sys/Geometry.h"
#include "tests/support/TestSupport.h"
#include "tools/demo/DemoWriter.h"
#include "tools/kit/TinyFont.h"

namespace {

// The demo data once for every test of this file.
class DemoLook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_Dir = new testsupport::CTempDir();
        s_Sheets = new std::vector<kit::SSheetSpec>();
        ASSERT_TRUE(demo::WriteDemoData(s_Dir->Path(), s_Sheets));
    }
    static void TearDownTestSuite() {
        delete s_Sheets;
        delete s_Dir;
    }
    static const kit::SSheetSpec& Sheet(const std::string& name) {
        for (const kit::SSheetSpec& s : *s_Sheets) {
            if (s.name == name) return s;
        }
        ADD_FAILURE() << "no sheet " << name;
        static const kit::SSheetSpec none;
        return none;
    }
    // The difference between a colour's largest and smallest channel: 0 for a grey.
    static int32_t Spread(uint32_t c) {
        const int32_t ch[3] = {static_cast<int32_t>((c >> 16) & 0xFF), static_cast<int32_t>((c >> 8) & 0xFF),
                               static_cast<int32_t>(c & 0xFF)};
        return *std::max_element(ch, ch + 3) - *std::min_element(ch, ch + 3);
    }

    // The longest run of ink (black or white) along a row of a cell's word box.
    static int32_t LongestInk(const std::vector<uint32_t>& px, const kit::SSheetSpec& s, int32_t c, int32_t r) {
        const int32_t cw = s.width / s.columns, ch = s.height / s.rows;
        const SRect box = kit::WordBox(s, c, r);
        int32_t longest = 0;
        for (int32_t y = 0; y < box.Height(); ++y) {
            int32_t run = 0;
            for (int32_t x = 0; x < box.Width(); ++x) {
                const uint32_t p = px[static_cast<size_t>(r * ch + y) * s.width + c * cw + x];
                run = p == 0xFF000000u || p == 0xFFFFFFFFu ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
        return longest;
    }

    static testsupport::CTempDir* s_Dir;
    static std::vector<kit::SSheetSpec>* s_Sheets;
};

testsupport::CTempDir* DemoLook::s_Dir = nullptr;
std::vector<kit::SSheetSpec>* DemoLook::s_Sheets = nullptr;

// Every button sheet (five looks a column, words on them) draws its locked look greyed
// with the word struck through: the cells' colours alone (each a colour of its own) do
// not tell a player which buttons answer.
TEST_F(DemoLook, EveryLockedLookOfEveryButtonSheetIsGreyedAndStruckThrough) {
    int sheets = 0;
    for (const kit::SSheetSpec& s : *s_Sheets) {
        if (s.rows != kit::kButtonLooks || s.columnWords.empty()) continue;
        ++sheets;
        ASSERT_EQ(s.lockedRow, kit::kLockedLook) << s.name;
        const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
        for (int32_t c = 0; c < s.columns; ++c) {
            const uint32_t locked = kit::CellColour(s, c, kit::kLockedLook);
            EXPECT_NE(locked, kit::CellColour(s.name, c, kit::kLockedLook)) << s.name << " column " << c;
            EXPECT_LE(Spread(locked), 0xA0 / 4) << s.name << " column " << c << ": greyed";
            if (kit::CellWord(s, c, kit::kLockedLook).empty()) continue;
            // Struck through: a line of ink longer than any the word has in the normal look.
            EXPECT_GE(LongestInk(px, s, c, kit::kLockedLook), LongestInk(px, s, c, 0) + 2) << s.name << " column " << c;
        }
    }
    EXPECT_GE(sheets, 30);
}

// Each track button of the music room, a row of 16 pixels, and each arrow of the guide's
// pages (the settings' minus and plus), 24 × 24, shows its whole word in the large
// letters: the titles filling their rows, the arrows found where the guide sends a player.
TEST_F(DemoLook, EveryTrackButtonAndPageArrowShowsItsWholeWordInLargeLetters) {
    const struct {
        const char* sheet;
        int32_t columns, cellWidth, cellHeight, looks;
        size_t shortest;
    } sheets[] = {
        {CMusicRoomScene::kTrackSheet, 19, 192, 16, 4, 4},
        {CU000Scene::kArrowSheet, 2, 24, 24, 3, 1},
    };
    for (const auto& row : sheets) {
        const kit::SSheetSpec& s = Sheet(row.sheet);
        ASSERT_EQ(s.columns, row.columns) << row.sheet;
        EXPECT_EQ(s.width / s.columns, row.cellWidth) << row.sheet;
        EXPECT_EQ(s.height / s.rows, row.cellHeight) << row.sheet;
        for (int32_t c = 0; c < s.columns; ++c) {
            const std::string word = kit::CellWord(s, c, 0);
            ASSERT_GE(word.size(), row.shortest) << row.sheet << " column " << c;
            // The label "c.r" from x 1 (its digits four columns apart, the dot taking two),
            // two columns, then the word twice the 5 × 7 size, 14 rows high: not cut short.
            const int32_t digits = static_cast<int32_t>(std::to_string(c).size()) + 1;
            for (int32_t look = 0; look < row.looks; ++look) {
                const SRect box = kit::WordBox(s, c, look);
                EXPECT_EQ(box.Width(), 5 + 4 * digits + kit::WordWidth(word, 2)) << word << " look " << look;
                EXPECT_EQ(box.Height(), 16) << word << " look " << look;
            }
        }
    }
}

// Every row of the display and voice pages (and the other pages with rows) has its name
// in the page's background: within one cell of the picture, left of the row's first
// button and level with it.
TEST_F(DemoLook, EverySettingsRowIsNamedBesideItsButtons) {
    struct SRow {
        SPoint button;
        int32_t height;
    };
    auto optionRows = [](auto place, int count, int step) {
        std::vector<SRow> rows;
        for (int i = 0; i < count; ++i) rows.push_back(SRow{place(i * step), 32});
        return rows;
    };
    const auto& display = CDisplayOptionPage::kPlaces;
    const auto& message = CMessageOptionPage::kLayout.steps;
    const auto& sound = CSoundOptionPage::kLayout.steps;
    const struct {
        const char* file;
        std::vector<SRow> rows;
    } pages[] = {
        {CDisplayOptionPage::kBackgroundFile, optionRows([&](int i) { return display[static_cast<size_t>(i)]; }, 6, 2)},
        {CVoiceOptionPage::kBackgroundFile, optionRows(CVoiceOptionPage::Place, 16, 2)},
        {CMessageOptionPage::kBackgroundFile,
         {{message[0], 24}, {CMessageOptionPage::kOptionPlaces[0], 32}, {CMessageOptionPage::kOptionPlaces[2], 32},
          {message[2], 24}, {message[4], 24}}},
        {CSoundOptionPage::kBackgroundFile, {{sound[0], 24}, {sound[2], 24}, {sound[4], 24}}},
    };
    for (const auto& page : pages) {
        const kit::SSheetSpec& s = Sheet(page.file);
        ASSERT_EQ(s.captions.size(), page.rows.size()) << page.file;
        const int32_t cw = s.width / s.columns, ch = s.height / s.rows;
        for (size_t i = 0; i < page.rows.size(); ++i) {
            const SRect box = kit::CaptionBox(s.captions[i]);
            const std::string what = std::string(page.file) + " row " + std::to_string(i) + " " + s.captions[i].text;
            EXPECT_EQ(box.left / cw, (box.right - 1) / cw) << what << ": one cell";
            EXPECT_EQ(box.top / ch, (box.bottom - 1) / ch) << what << ": one cell";
            // On the screen, the page's background lies at (0, 88).
            const SRow& row = page.rows[i];
            const int32_t top = box.top + 88, bottom = box.bottom + 88;
            EXPECT_LT(box.right, row.button.x) << what << ": left of the buttons";
            EXPECT_GE(top, row.button.y) << what;
            EXPECT_LE(bottom, row.button.y + row.height) << what;
        }
    }
    // The voice rows name the file prefixes that each switch serves, and whose voices
    // they are.
    for (int j = 0; j < 15; ++j) {
        EXPECT_GE(std::string(demo::kVoiceCaptions[j]).size(), 6u) << demo::kVoiceCaptions[j] << ": a name after the prefix";
        std::string prefix = std::string(demo::kVoiceCaptions[j]).substr(0, 2);
        std::transform(prefix.begin(), prefix.end(), prefix.begin(), [](char c) { return c | 0x20; });
        EXPECT_EQ(ClassifyVoiceName("voice\\" + prefix + "_0001.ogg"), j) << demo::kVoiceCaptions[j];
    }
    EXPECT_EQ(ClassifyVoiceName("voice\\zz_0001.ogg"), 15) << demo::kVoiceCaptions[15];
}

// The voice page's ON and OFF buttons (the option sheet's columns 4 and 5, 88 pixels
// wide) answer on their left 43 pixels: they show there and nowhere else.
TEST_F(DemoLook, TheVoiceSwitchesShowOnlyWhereTheyAnswer) {
    const kit::SSheetSpec& s = Sheet(CSystemMenuScene::kOptionSheet);
    const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
    for (int32_t column : {4, 5}) {
        int32_t wrong = 0;
        for (int32_t y = 0; y < s.height; ++y) {
            for (int32_t x = 0; x < 88; ++x) {
                wrong += (px[static_cast<size_t>(y * s.width + column * 88 + x)] >> 24 == 0xFF) != (x < 43);
            }
        }
        EXPECT_EQ(wrong, 0) << "column " << column;
    }
}

// The sliders' frame, a plate wider than the track, marks the track on it (anything but
// its cells' colours and label ink) only where each slider answers, on the fill's 240 × 16
// at its place, and from that rectangle's left edge to its right: a press left of x 245
// (269) on a slider's row, which takes nothing, shows no track.
TEST_F(DemoLook, TheSliderFrameMarksItsTrackOnlyWhereTheSliderAnswers) {
    const kit::SSheetSpec& frame = Sheet("obj\\c000_035.bmp");
    const kit::SSheetSpec& fill = Sheet("obj\\c000_036.bmp");
    const std::vector<uint32_t> px = kit::MakeSheetPixels(frame);
    const int32_t cw = frame.width / frame.columns;
    const struct {
        SPoint frame, answers;
    } sliders[] = {{{232, 152}, {245, 172}}, {{232, 200}, {245, 220}}, {{232, 248}, {245, 268}},
                   {{256, 152}, {269, 172}}, {{256, 297}, {269, 316}}, {{256, 344}, {269, 364}}};
    for (const auto& slider : sliders) {
        const SRect answers{slider.answers.x, slider.answers.y, slider.answers.x + fill.width,
                            slider.answers.y + fill.height};
        int32_t left = INT32_MAX, right = INT32_MIN, outside = 0;
        for (int32_t y = 0; y < frame.height; ++y) {
            for (int32_t x = 0; x < frame.width; ++x) {
                const uint32_t p = px[static_cast<size_t>(y * frame.width + x)];
                if (p == kit::CellColour(frame, x / cw, 0) || p == 0xFF000000u || p == 0xFFFFFFFFu) continue;
                const int32_t sx = slider.frame.x + x, sy = slider.frame.y + y;
                outside += sx < answers.left || sx >= answers.right || sy < answers.top || sy >= answers.bottom;
                left = std::min(left, sx);
                right = std::max(right, sx + 1);
            }
        }
        EXPECT_EQ(outside, 0) << "frame at (" << slider.frame.x << ", " << slider.frame.y << ")";
        EXPECT_EQ(left, answers.left) << "frame at (" << slider.frame.x << ", " << slider.frame.y << ")";
        EXPECT_EQ(right, answers.right) << "frame at (" << slider.frame.x << ", " << slider.frame.y << ")";
    }
}

// Every page of the guide has its words within its own cell: the overview how to choose
// a topic, the others their topic and page ("Topic 2", "Page 3 of 5").
TEST_F(DemoLook, EveryGuidePageSaysWhatItIs) {
    const int32_t pages[] = {1, 4, 5, 4, 2, 4};
    for (int32_t t = 0; t < 6; ++t) {
        const kit::SSheetSpec& s = Sheet(CU000Scene::kPageSheets[t]);
        ASSERT_EQ(s.columns, pages[t]) << s.name;
        for (int32_t p = 0; p < pages[t]; ++p) {
            std::string words;
            for (const kit::SCaption& c : s.captions) {
                const SRect box = kit::CaptionBox(c);
                if (box.left >= 320 * p && box.right <= 320 * (p + 1)) words += c.text + " ";
            }
            const std::string page = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages[t]);
            EXPECT_NE(words.find(t == 0 ? "topic" : "Topic " + std::to_string(t) + " " + page), std::string::npos)
                << s.name << " page " << p << ": " << words;
        }
    }
}

// The balloons of every demo script, placed by the balloon command's rule (place 0, 1
// and 2 put the corner at x + 180, x − 40 and x + 430, y + 148; docs/command-table.md),
// lie wholly on the 800 × 600 screen and clear of the balloons open with them.
TEST_F(DemoLook, EveryBalloonOfEveryScriptStaysOnTheScreenAndClearOfTheOthers) {
    SetDebugOutputEnabled(false);
    const kit::SSheetSpec& shapes = Sheet("obj\\f000_000.bmp");
    const int32_t w = shapes.width / shapes.columns, h = shapes.height;
    std::vector<uint8_t> manifest;
    ASSERT_TRUE(testsupport::ReadFileBytes(s_Dir->Path() + "manifest.txt", &manifest));
    std::vector<std::string> scripts;
    std::string line;
    for (uint8_t c : manifest) {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (line.rfind("scr\\", 0) == 0) scripts.push_back(line.substr(0, line.find(' ')));
        line.clear();
    }
    ASSERT_GT(scripts.size(), 50u);
    testsupport::CGameFolderScope scope(s_Dir->Path());
    int balloons = 0;
    for (const std::string& path : scripts) {
        CAdvCommandControl script;
        ASSERT_TRUE(script.LoadCompiled(path)) << path;
        std::map<int32_t, SRect> open;
        for (size_t i = 0; i < script.GetRecordCount(); ++i) {
            const CAdvCommand* r = script.GetRecordAt(i);
            if (r->Code == 7) open.erase(r->Ints[0]);
            if (r->Code == 8) open.clear();
            if (r->Code != 6) continue;
            ++balloons;
            static constexpr int32_t kOffsetX[] = {180, -40, 430};
            const int32_t place = r->Ints[7];
            ASSERT_TRUE(place >= 0 && place <= 2) << path << ": a balloon left where the last one of its number was";
            const int32_t x = r->Ints[8] + kOffsetX[place], y = r->Ints[9] + 148;
            const SRect rect{x, y, x + w, y + h};
            const std::string what = path + " balloon " + std::to_string(r->Ints[11]) + " at (" + std::to_string(x) +
                                     ", " + std::to_string(y) + ")";
            EXPECT_TRUE(x >= 0 && y >= 0 && rect.right <= 800 && rect.bottom <= 600) << what << " leaves the screen";
            for (const auto& [n, other] : open) {
                const bool apart = rect.right <= other.left || other.right <= rect.left || rect.bottom <= other.top ||
                                   other.bottom <= rect.top;
                if (n != r->Ints[11]) {
                    EXPECT_TRUE(apart) << what << " covers balloon " << n;
                }
            }
            open[r->Ints[11]] = rect;
        }
    }
    EXPECT_GE(balloons, 2);
    SetDebugOutputEnabled(true);
}

// The help tables read as a player's text: no help carries its own number (as "0 work"
// or "説明その0" did) nor says it is unused; a line no screen shows holds a blank. Each
// row ("\" breaks it), filled with a four-character name and three-digit numbers, fits
// between the window's text at x 36 and its waiting mark at x 748: 64 half-width cells of
// the 22-pixel font, a Shift-JIS character two.
TEST_F(DemoLook, EveryHelpLineReadsAsAPlayersText) {
    for (const char* file : {CMansionMenuScene::kHelpFile, CShopScene::kHelpFile, CHomeHelpLines::kFile}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(testsupport::ReadFileBytes(kit::NativeFilePath(s_Dir->Path(), file), &bytes)) << file;
        const std::string text(bytes.begin(), bytes.end());
        int n = 0;
        for (size_t at = 0, end = 0; (end = text.find('\n', at)) != std::string::npos; at = end + 1, ++n) {
            const std::string line = text.substr(at, end - at);
            const std::string what = std::string(file) + " line " + std::to_string(n) + ": " + line;
            EXPECT_EQ(line.find("unused"), std::string::npos) << what;
            EXPECT_FALSE(std::regex_search(line, std::regex("(^|[^0-9])" + std::to_string(n) + "([^0-9]|$)"))) << what;
            int32_t cells = 0, widest = 0;
            for (size_t i = 0; i < line.size(); ++i) {
                const auto c = static_cast<unsigned char>(line[i]);
                const bool lead = IsSjisLeadByte(c);
                const int32_t placeholder = line.compare(i, 2, "*c") == 0 ? 8 : line.compare(i, 2, "*d") == 0 ? 3 : 0;
                cells = c == '\\' ? 0 : cells + (lead ? 2 : placeholder ? placeholder : c != '\r');
                i += lead || placeholder ? 1 : 0;
                widest = std::max(widest, cells);
            }
            EXPECT_LE(widest, 64) << what;
        }
        EXPECT_GE(n, 29) << file;
    }
}

// Every question and list panel holds its buttons: at the places its screen puts them
// (the question panels of types 2 to 8, the list panels of layouts 0 to 21), each
// button's cell lies inside the panel's picture, so that none stands out of its box;
// and no home list panel covers the menu button that opened it.
TEST_F(DemoLook, EveryQuestionAndListPanelHoldsItsButtons) {
    struct SPart {
        int32_t x, y;
    };
    struct SPanel {
        const char* picture;
        int32_t x, y;
        const char* sheet;  // the buttons' or items' cells
        std::vector<SPart> parts;
        std::vector<SPart> back;  // the list panel's back button, if it has one
    };
    const char* yesNo = "obj\\b000_011.bmp";
    const char* mansion = "obj\\h002_000.bmp";
    const char* home = "obj\\m001_000.bmp";
    const SPanel panels[] = {
        {"obj\\b000_010.bmp", 224, 192, yesNo, {{272, 288}, {272, 328}}, {}},
        {"obj\\f000_007.bmp", 224, 192, yesNo, {{272, 288}, {272, 328}}, {}},
        {"obj\\p000_003.bmp", 272, 336, yesNo, {{320, 424}, {320, 464}}, {}},
        {"obj\\p000_004.bmp", 272, 336, yesNo, {{320, 424}, {320, 464}}, {}},
        {"obj\\c000_014.bmp", 224, 192, "obj\\c000_015.bmp", {{272, 288}, {272, 328}}, {}},
        {"obj\\s000_005.bmp", 80, 184, "obj\\s000_006.bmp", {{128, 296}, {128, 336}}, {}},
        {"obj\\t001_000.bmp", 224, 104, yesNo, {{272, 200}, {272, 240}}, {}},
        {"obj\\h001_016.bmp", 184, 152, mansion, {{256, 248}, {256, 288}}, {}},
        {"obj\\h001_017.bmp", 152, 128, mansion, {{224, 208}, {224, 248}, {224, 288}, {224, 328}}, {{408, 384}}},
        {"obj\\h001_018.bmp", 424, 128, mansion, {{496, 232}, {496, 272}}, {{682, 312}}},
        {"obj\\h001_019.bmp", 176, 128, mansion, {{224, 208}, {224, 248}, {224, 288}, {224, 328}}, {{408, 384}}},
        {"obj\\h001_020.bmp", 376, 176, mansion, {{448, 280}, {448, 320}}, {}},
        {"obj\\h001_021.bmp", 320, 152, mansion, {{368, 272}, {368, 312}}, {}},
        {"obj\\h001_022.bmp", 32, 176, mansion, {{80, 240}, {80, 280}, {80, 320}}, {{248, 368}}},
        {"obj\\h001_023.bmp", 352, 152, mansion, {{424, 248}, {424, 288}}, {}},
        {"obj\\h001_024.bmp", 304, 176, mansion, {{352, 264}, {352, 304}}, {{512, 360}}},
        {"obj\\h001_025.bmp", 176, 176, mansion, {{224, 272}, {224, 312}}, {}},
        {"obj\\m000_012.bmp", 368, 160, home, {{448, 224}, {448, 264}, {448, 304}}, {{608, 344}}},
        {"obj\\m000_013.bmp", 160, 160, home, {{240, 224}, {240, 264}, {240, 304}}, {{408, 352}}},
        {"obj\\m000_014.bmp", 336, 128, home, {{416, 144}, {416, 184}, {416, 224}, {416, 264}, {416, 304}, {416, 344}},
         {{592, 384}}},
        {"obj\\m000_014.bmp", 336, 128, home, {{416, 184}, {416, 224}, {416, 264}, {416, 304}}, {{592, 376}}},
        {"obj\\m000_015.bmp", 56, 152, home, {{96, 240}, {96, 280}}, {{264, 336}}},
        {"obj\\m000_016.bmp", 72, 88, home, {{128, 144}, {128, 184}, {128, 224}, {128, 264}, {128, 304}, {128, 344}},
         {{304, 376}}},
        {"obj\\m000_017.bmp", 352, 152, home, {{424, 248}}, {{608, 336}}},
        {"obj\\m000_018.bmp", 304, 176, home, {{352, 264}, {352, 304}}, {{512, 360}}},
        {"obj\\m000_019.bmp", 304, 176, home, {{352, 312}, {352, 272}}, {}},
        {"obj\\m000_020.bmp", 40, 210, "obj\\m001_002.bmp", {{90, 260}, {90, 300}}, {{120, 340}}},
        {"obj\\m000_020.bmp", 40, 210, "obj\\m001_003.bmp", {{90, 260}, {90, 300}}, {{120, 340}}},
    };
    // Nor does a home list panel cover the menu button (152 × 40) that opened it.
    const struct {
        const char* picture;
        int32_t x, y, buttonX, buttonY;
    } opened[] = {{"obj\\m000_012.bmp", 368, 160, 176, 240}, {"obj\\m000_013.bmp", 160, 160, 8, 160},
                  {"obj\\m000_015.bmp", 56, 152, 408, 160},  {"obj\\m000_016.bmp", 72, 88, 384, 280},
                  {"obj\\m000_017.bmp", 352, 152, 160, 160}, {"obj\\m000_018.bmp", 304, 176, 624, 160},
                  {"obj\\m000_019.bmp", 304, 176, 640, 248}};
    for (const auto& p : opened) {
        const kit::SSheetSpec& picture = Sheet(p.picture);
        const bool apart = p.x + picture.width <= p.buttonX || p.buttonX + 152 <= p.x ||
                           p.y + picture.height <= p.buttonY || p.buttonY + 40 <= p.y;
        EXPECT_TRUE(apart) << p.picture << " at (" << p.x << ", " << p.y << ") ends at (" << p.x + picture.width
                           << ", " << p.y + picture.height << ") over its button at (" << p.buttonX << ", "
                           << p.buttonY << ")";
    }
    const kit::SSheetSpec& backSheet = Sheet("obj\\h002_001.bmp");
    for (const SPanel& p : panels) {
        const kit::SSheetSpec& picture = Sheet(p.picture);
        const SRect box{p.x, p.y, p.x + picture.width, p.y + picture.height};
        auto holds = [&](const kit::SSheetSpec& cells, const SPart& at, const char* what) {
            const SRect cell{at.x, at.y, at.x + cells.width / cells.columns, at.y + cells.height / cells.rows};
            EXPECT_TRUE(cell.left >= box.left && cell.top >= box.top && cell.right <= box.right && cell.bottom <= box.bottom)
                << p.picture << " at (" << p.x << ", " << p.y << ") ends at (" << box.right << ", " << box.bottom << "): "
                << what << " at (" << at.x << ", " << at.y << ") ends at (" << cell.right << ", " << cell.bottom << ")";
        };
        for (const SPart& at : p.parts) holds(Sheet(p.sheet), at, "a button");
        for (const SPart& at : p.back) holds(backSheet, at, "BACK");
    }
}

// The backdrops that are ours to size reach the bottom edge: the wide background's
// bottom strip (drawn from y 440 as high as its picture, under the landscape's fixed
// 432 rows that end at y 488) and the settings pages (drawn from y 88).
TEST_F(DemoLook, TheMenuBackdropsReachTheBottomEdge) {
    EXPECT_EQ(CWideBackground::kBottomStripTop + Sheet(CWideBackground::kBottomStripFile).height, 600);
    for (const char* page : {CDisplayOptionPage::kBackgroundFile, CMessageOptionPage::kBackgroundFile,
                             CSoundOptionPage::kBackgroundFile, CVoiceOptionPage::kBackgroundFile,
                             CCancelActionPage::kBackgroundFile, CInfoPage::kBackgroundFile}) {
        EXPECT_EQ(88 + Sheet(page).height, 600) << page;
    }
}

}  // namespace
