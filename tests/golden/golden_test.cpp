// Whole-screen golden frames of the demo data: the game object on the software graphics
// device (and, for two of them, through the GDI renderer) from the boot scene through
// the logos and the title, a new game's month, the screens of a later month, the staff
// roll, then the menus and developer scenes by id.  Every TEST runs in a process of its
// own (the generators built on first use keep their state for the process), with a
// seeded random source, the fake frame clock, sound mixed by hand and a fixed save clock.
//
// At each named checkpoint, first what must show there: a short list of cells of the
// demo's sheets (the background, each figure, every enabled button ...) written from
// what the script or the screen's rules put on the screen, checked by the sheet probe,
// so that a golden picture cannot hold a screen that lacks one of them.  Then the whole
// 800 × 600 frame against tests/golden/frames/<name>.png under the tolerance of
// docs/testing.md, and the music and voices playing against what the script names.
// NIWA_GOLDEN_UPDATE=1 (scripts/update_golden.sh) writes the pictures instead of
// comparing them, but never a frame whose list does not show.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/SoundBank.h"
#include "game/core/SaveData.h"
#include "game/core/SystemData.h"
#include "game/menus/music/MusicRoomScene.h"
#include "game/menus/save/SaveLoadScene.h"
#include "game/menus/save/SlotCard.h"
#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "game/menus/status/GuideScene.h"
#include "game/menus/title/TitleMenuScene.h"
#include "game/menus/viewer/CGViewerScene.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "game/menus/viewer/ThumbnailGridScene.h"
#include "game/raising/hint/HintWindow.h"
#include "game/raising/ingame/InGameStart.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/ingame/RaisingScene.h"
#include "game/raising/ingame/SelectionScene.h"
#include "game/raising/home/HomeScene.h"
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/season/DateCardScene.h"
#include "game/raising/season/SeasonalEventScene.h"
#include "game/raising/season/StaffRollScene.h"
#include "game/raising/work/FoodAllowanceScene.h"
#include "game/raising/wide/WideBackground.h"
#include "game/raising/work/WorkReportScene.h"
#include "game/stage/message/EventPanel.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/GoldenFrame.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tests/tools/demo/DemoPlayer.h"
#include "tools/demo/DemoWriter.h"
#include "tools/demo/EventScripts.h"

namespace {

namespace fs = std::filesystem;
using screentest::SVisible;
using List = std::vector<SVisible>;

// Checkpoints whose screens cannot be right yet, each with its reason: they are neither
// compared nor written, and the TEST that reaches them is reported skipped.  Remove a
// line once its reason is gone, then make the frame again and look at it.
const std::map<std::string, std::string>& Blocked() {
    static const std::map<std::string, std::string> blocked = {};
    return blocked;
}

std::string GoldenFolder() { return NIWA_GOLDEN_DIR; }

bool Updating() {
    const char* update = std::getenv("NIWA_GOLDEN_UPDATE");
    return update != nullptr && std::string(update) == "1";
}

// ---- what must show ----

// Cell (c, r) of a sheet drawn with the cell's top-left corner at (x, y).
SVisible Cell(std::string what, std::string sheet, int32_t c, int32_t r, int32_t x, int32_t y) {
    return SVisible{std::move(what), std::move(sheet), c, r, x, y, {}};
}
// A button of column c at its place, enabled (look 0, or 1 under the pointer).
SVisible Button(std::string what, std::string sheet, int32_t c, int32_t x, int32_t y) {
    return SVisible{std::move(what), std::move(sheet), c, SVisible::kEnabledLook, x, y, {}};
}
SVisible Button(std::string what, std::string sheet, int32_t c, const SPoint& at) {
    return Button(std::move(what), std::move(sheet), c, at.x, at.y);
}
// Cell (c, r) of an 800 × 600 picture of 4 × 3 cells drawn at (0, 0).
SVisible Screen(std::string what, std::string sheet, int32_t c, int32_t r) {
    return Cell(std::move(what), std::move(sheet), c, r, 200 * c, 200 * r);
}
// Somewhere on the screen: a figure or a picture whose place the renderer picks.
SVisible Somewhere(std::string what, std::string sheet, int32_t c, int32_t r) {
    return SVisible{std::move(what), std::move(sheet), c, r, SVisible::kAnywhere, SVisible::kAnywhere, {}};
}

// A button of column c at its place, locked: its greyed look with the word struck
// through, told apart from the enabled looks by its word's box.
SVisible Disabled(std::string what, std::string sheet, int32_t c, const SPoint& at) {
    SVisible v{std::move(what), std::move(sheet), c, kit::kLockedLook, at.x, at.y, {}};
    v.word = true;
    return v;
}

// The same with its label and word shown as the sheet draws them (a title, a name).
SVisible Worded(SVisible v) {
    v.word = true;
    return v;
}

// The same under a black veil of that alpha.
SVisible Veiled(SVisible v, int32_t alpha) {
    v.veilAlpha = alpha;
    return v;
}

// The same, looked at at a cell-relative point the screen draws nothing over.
SVisible At(SVisible v, int32_t px, int32_t py) {
    v.pointX = px;
    v.pointY = py;
    return v;
}

List Join(std::initializer_list<List> lists) {
    List out;
    for (const List& l : lists) out.insert(out.end(), l.begin(), l.end());
    return out;
}

// The message window's box along the bottom, open.
List MessageBox() {
    return {Cell("message box", "obj\\f000_001.bmp", 0, 0, 0, 416), Cell("message box", "obj\\f000_001.bmp", 3, 0, 600, 416)};
}
// The landscape of the wide background behind the menus and the title.
List WideBackground() { return {Somewhere("wide landscape", "obj\\b000_003.bmp", 0, 1)}; }

// The title menu: the title over the wide background (which needs the graphics device:
// through GDI there is none), the strip and the buttons a first start offers (new game,
// load, settings, guide, quit; continue only with a game in the current save record,
// the other four cleared).
List TitleMenu(bool wide = true) {
    const std::string sheet = CTitleMenuScene::kButtonSheet;
    const auto& at = CTitleMenuScene::kPlaces;
    return Join({wide ? WideBackground() : List{},
                 {Cell("title", CTitleMenuScene::kTitle, 0, 0, 336, 32), Cell("title", CTitleMenuScene::kTitle, 3, 1, 660, 192),
                  Cell("strip", CTitleMenuScene::kStrip, 1, 0, 200, 400), Cell("strip", CTitleMenuScene::kStrip, 2, 0, 400, 400),
                  Button("new game", CTitleMenuScene::kFirstButtonSheet, 0, at[0]), Button("load", sheet, 2, at[2]),
                  Button("settings", sheet, 4, at[4]), Button("guide", sheet, 5, at[5]), Button("quit", sheet, 9, at[9])}});
}

// The slide panel's date strip and item picture (1 the mansion menu, 9 the home menu,
// 20 the work report, 22 the food allowance) at the top left.
List SlidePanel(int item) {
    char picture[32];
    std::snprintf(picture, sizeof picture, "obj\\e000_%03d.bmp", item + 5);
    return {Cell("slide panel", "obj\\e000_000.bmp", 0, 0, 0, 0), Cell("slide panel item", picture, 0, 0, 108, 78)};
}

// The menu tab bar without a game in progress: the save tab locked (look 4, its own
// screen's too), the screen's own tab checked (look 2), the others enabled; the
// settings menu clears tabs 2 to 4.
List TabBar(int32_t own, bool settings = false) {
    List out;
    const char* words[6] = {"save tab", "load tab", "picture tab", "scene tab", "music tab", "settings tab"};
    for (int32_t i = 0; i < 6; ++i) {
        const int32_t x = 8 + 48 * i, y = 48;
        if (settings && i >= 2 && i <= 4) continue;
        if (i == 0) {
            out.push_back(Disabled(words[i], "obj\\c000_002.bmp", i, SPoint{x, y}));
        } else if (i == own) {
            out.push_back(Cell(words[i], "obj\\c000_002.bmp", i, 2, x, y));
        } else {
            out.push_back(Button(words[i], "obj\\c000_002.bmp", i, x, y));
        }
    }
    return out;
}

// The thumbnail grids with page 1 of eight entries: title, page 1 and sub-page 1 on, pages
// 2 to 6 and back (sub-pages 2 and 3 hold nothing and are not drawn); slots stand at
// half alpha but the one under the pointer, which rises to full with its cover and
// shows its preview beside it (`cover` and `preview` empty: no slot pointed at).
List ThumbnailGrid(const std::string& title, int32_t own, const std::string& cover = {}, const std::string& preview = {}) {
    using Grid = CThumbnailGridScene;
    List out = TabBar(own);
    out.push_back(Cell("title", title, 0, 0, 0, 0));
    out.push_back(Cell("page 1", Grid::kButtonSheet, 0, 2, Grid::ButtonAt(0).x, Grid::ButtonAt(0).y));
    for (int b = 1; b < Grid::kFirstSubPageButton; ++b) {
        out.push_back(Button("page " + std::to_string(b + 1), Grid::kButtonSheet, b, Grid::ButtonAt(b)));
    }
    const int sub = Grid::kFirstSubPageButton;
    out.push_back(Cell("sub-page 1", Grid::kButtonSheet, sub, 2, Grid::ButtonAt(sub).x, Grid::ButtonAt(sub).y));
    out.push_back(Button("back", Grid::kButtonSheet, Grid::kBackButton, Grid::ButtonAt(Grid::kBackButton)));
    if (!cover.empty()) {
        const SPoint at = Grid::FrameAt(0);
        out.push_back(Cell("slot 1's frame", Grid::kFrame, 0, 0, at.x, at.y));
        out.push_back(Cell("slot 1's cover", cover, 0, 0, at.x + 8, at.y + 30));
        out.push_back(Cell("slot 1's preview", preview, 0, 0, Grid::PreviewAt(0).x, Grid::PreviewAt(0).y));
    }
    return out;
}

// The music and voices playing, "group:name" blank-separated in slot order.
std::string PlayingSounds(CGameMain& game) {
    std::string out;
    for (int group : {0, 2}) {
        for (int slot = 0; slot < 31; ++slot) {
            if (!game.GetSoundBank().IsPlaying(group, slot)) continue;
            if (!out.empty()) out += ' ';
            out += std::to_string(group);
            out += ':';
            out += game.GetSoundBank().GetName(group, slot);
        }
    }
    return out;
}

class GoldenRun {
public:
    explicit GoldenRun(bool gdi = false) {
        CRandom::SetDefaultSeedForTests(1);
        CSaveData::SetClock([] { return SSaveTime{2026, 4, 1, 12, 0, 0}; });
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup setup;
        setup.channelSounds = false;
        std::vector<kit::SSheetSpec> sheets;
        setup.prepare = [&sheets](const std::string& folder) { ASSERT_TRUE(demo::WriteDemoData(folder, &sheets)); };
        setup.inGameSceneMaker = MakeInGameSceneMaker();
        setup.gdi = gdi;
        m_Driver = std::make_unique<screentest::CGameDriver>(setup);
        for (const kit::SSheetSpec& s : sheets) D().Probe().Add(s);
        m_Failures = (fs::temp_directory_path() / "niwa_golden").string() + "/";
    }
    ~GoldenRun() {
        CSaveData::SetClock({});
        testsupport::RestoreTestSeed();
        SetDebugOutputEnabled(true);
    }

    screentest::CGameDriver& D() { return *m_Driver; }
    CSceneManager& Scenes() { return D().Game().GetSceneManager(); }
    CRaisingScene* Raising() { return dynamic_cast<CRaisingScene*>(D().Game().GetRaisingScene()); }
    int32_t Mode() {
        CRaisingScene* r = Raising();
        return r ? r->State().m_ModeId : -1;
    }

    // Frames until `done` holds, at most `limit`; `each` runs before every frame.
    void Until(const std::string& what, const std::function<bool()>& done, int limit,
               const std::function<void(int)>& each = {}) {
        for (int i = 0; i < limit && !done(); ++i) {
            if (each) each(i);
            ASSERT_TRUE(D().Frame()) << what;
        }
        ASSERT_TRUE(done()) << "never reached: " << what;
    }
    void AtScene(int32_t id, int limit = 2000) {
        Until("scene " + std::to_string(id),
              [this, id] { return Scenes().GetCurrentSceneId() == id && !Scenes().IsInTransition(); }, limit);
    }
    // A cut to the scene, then frames until its transition has ended and `settle` more.
    void Open(int32_t id, int settle = 20) {
        D().Start(id);
        AtScene(id, 400);
        D().Frame(settle);
    }
    // A new game as the title's button starts it, the text shown at once.
    void NewGame() {
        D().Game().GetSystemData().m_MessageSpeed = 100;
        D().Start(21);
    }
    void Player(int frame) {
        if (const SPoint* at = demoplayer::ClickAt(frame)) D().Click(at->x, at->y);
    }
    bool Played(const std::string& script) const {
        for (const std::string& line : m_Log.GetLines()) {
            if (line.find("スクリプト再生:scr\\demo\\" + script) != std::string::npos) return true;
        }
        return false;
    }
    // Plays the month on until the script has started, then `settle` frames without input.
    void PlayUntil(const std::string& script, int settle) {
        Until(script, [this, &script] { return Played(script); }, 6000, [this](int i) { Player(i); });
        D().Move(400, 300);
        D().Frame(settle);
    }
    // On to the title, a key at the opening (which waits for one).
    void ToTitle() {
        Until("title", [this] { return Scenes().GetCurrentSceneId() == 7 && !Scenes().IsInTransition(); }, 3000,
              [this](int i) {
                  if (i % 10 == 0 && Scenes().GetCurrentSceneId() == 6 && !Scenes().IsInTransition()) D().Key(32);
              });
    }
    // Plays the month on until the in-game mode runs, then `settle` frames without input.
    void PlayUntilMode(int32_t mode, int settle) {
        Until("mode " + std::to_string(mode), [this, mode] { return Mode() == mode; }, 6000, [this](int i) { Player(i); });
        D().Move(400, 300);
        D().Frame(settle);
    }

    // The named checkpoint: what must show, the sounds, then the whole frame against its
    // golden picture.  A blocked checkpoint is passed over and noted for Finish.
    void Check(const std::string& name, const List& visible, const std::string& sounds = "*") {
        const auto blocked = Blocked().find(name);
        if (blocked != Blocked().end()) {
            m_Skipped += "\n  " + name + ": " + blocked->second;
            return;
        }
        const screentest::SFrame actual = D().Pixels();
        ASSERT_EQ(actual.width, 800) << name;
        const ::testing::AssertionResult shows = D().Probe().ShowsAll(actual, visible);
        if (!shows) {
            fs::create_directories(m_Failures);
            screentest::WriteFramePng(m_Failures + name + ".actual.png", actual);
        }
        EXPECT_TRUE(shows) << name << " (the frame: " << m_Failures << name << ".actual.png)";
        if (sounds != "*") {
            EXPECT_EQ(PlayingSounds(D().Game()), sounds) << name;
        }
        const std::string path = GoldenFolder() + name + ".png";
        if (Updating()) {
            if (!shows) {
                ADD_FAILURE() << name << ": not written, what must show does not";
                return;
            }
            EXPECT_TRUE(screentest::WriteFramePng(path, actual)) << path;
            std::printf("golden: wrote %s (sounds: %s)\n", path.c_str(), PlayingSounds(D().Game()).c_str());
            return;
        }
        screentest::SFrame expected;
        ASSERT_TRUE(screentest::ReadFramePng(path, &expected)) << "no golden frame " << path;
        const screentest::SFrameDiff diff = screentest::CompareFrames(actual, expected);
        if (!diff.Matches()) {
            fs::create_directories(m_Failures);
            ADD_FAILURE() << screentest::WriteFrameDiff(m_Failures, name, actual, expected, diff);
        }
    }
    // The wide background's bottom strip down to the screen's bottom edge, its last row
    // under the menu screens' half-black veil: no black band ends the screen.
    List BottomBand() {
        const kit::SSheetSpec* strip = D().Probe().Find(CWideBackground::kBottomStripFile);
        if (strip == nullptr || CWideBackground::kBottomStripTop + strip->height < 600) {
            return {Cell("a bottom strip down to y 600", "", 0, 0, 0, 0)};  // fails: no such sheet
        }
        const int32_t last = strip->rows - 1, rowHeight = strip->height / strip->rows;
        return {Veiled(Cell("bottom strip's last row", strip->name, 0, last, 0, CWideBackground::kBottomStripTop + rowHeight * last),
                       0x80)};
    }
    // The names written into a picture drawn at `at` (a settings page's rows), each shown
    // as drawn in the cell it lies in.
    List Captions(const std::string& sheet, const SPoint& at) {
        const kit::SSheetSpec* s = D().Probe().Find(sheet);
        if (s == nullptr) return {Cell("captions", sheet, 0, 0, at.x, at.y)};
        const int32_t cw = s->width / s->columns, ch = s->height / s->rows;
        List out;
        for (const kit::SCaption& caption : s->captions) {
            const SRect box = kit::CaptionBox(caption);
            const int32_t c = box.left / cw, r = box.top / ch;
            SVisible v = Cell("caption " + caption.text, sheet, c, r, at.x + c * cw, at.y + r * ch);
            v.exact = SRect{box.left - c * cw, box.top - r * ch, box.right - c * cw, box.bottom - r * ch};
            out.push_back(v);
        }
        return out;
    }

    // The TEST is skipped (after its failures, if any) when it passed over a checkpoint.
    bool AnySkipped() const { return !m_Skipped.empty(); }
    const std::string& Skipped() const { return m_Skipped; }

private:
    CLogCapture m_Log;
    std::unique_ptr<screentest::CGameDriver> m_Driver;
    std::string m_Failures;
    std::string m_Skipped;
};

#define GOLDEN_FINISH(run) \
    if ((run).AnySkipped()) GTEST_SKIP() << "checkpoints passed over:" << (run).Skipped()

// Boot, the three logos, the opening and the title.
TEST(GoldenFrames, BootLogosOpeningAndTitle) {
    GoldenRun g;
    g.D().Start(2);
    g.D().Frame(2);
    g.Check("01_boot", {});  // the boot scene clears to black
    g.AtScene(3);
    g.D().Frame(30);
    g.Check("02_logo1", {Screen("logo", "obj\\a000_000.bmp", 0, 0), Screen("logo", "obj\\a000_000.bmp", 3, 2)});
    g.AtScene(4);
    g.D().Frame(30);
    g.Check("03_logo2", {Screen("logo", "obj\\a000_001.bmp", 0, 0), Screen("logo", "obj\\a000_001.bmp", 3, 2)});
    g.AtScene(5, 3000);
    g.D().Frame(30);
    g.Check("04_logo3", {});  // logo 3 clears to black while the opening fades in over it
    g.AtScene(6, 3000);
    // Once both fade-ins (80 and 20 frames) have ended the opening waits for a key while
    // the swinging picture comes in, 4 of alpha a frame.
    g.D().Frame(200);
    g.Check("05_opening", Join({WideBackground(),
                                {Cell("title", "obj\\w000_000.bmp", 0, 0, 336, 32), Cell("prompt", "obj\\b000_005.bmp", 0, 0, 512, 552),
                                 Somewhere("swinging picture", "obj\\b000_006.bmp", 1, 1)}}));
    g.ToTitle();
    g.D().Frame(30);
    g.Check("06_title", TitleMenu());
    GOLDEN_FINISH(g);
}

// A new game's month with its events, a selection, both sides and the month end; the
// logo after the month, the title again, and what the month unlocked in the viewers.
TEST(GoldenFrames, TheFirstMonthAndWhatItUnlocked) {
    GoldenRun g;
    g.NewGame();
    // The prologue: its picture with an overlay, a voiced line in the window.
    g.PlayUntil("ev_101", 60);
    g.Check("10_prologue",
            Join({{Screen("picture", "cg\\ev01.bmp", 3, 0), Screen("picture", "cg\\ev01.bmp", 3, 1),
                   Cell("overlay", "sc\\ev01a.bmp", 0, 0, 100, 200)},
                  MessageBox()}),
            "0:bgm\\bgm_001.ogg 2:voice\\lu_1001.ogg");
    // The date card: five pictures and the year 1 and month 4 in digits (no tens).
    g.PlayUntilMode(4, 40);
    {
        using D = CD000Scene;
        g.Check("07_date_card",
                {Cell("card top", D::kPictures[0], 3, 0, 600, 0), Cell("card bottom", D::kPictures[1], 0, 0, D::kPictureAt[1].x, D::kPictureAt[1].y),
                 Cell("card picture", D::kPictures[2], 1, 1, 640, 348), Cell("year", D::kPictures[3], 0, 0, D::kPictureAt[3].x, D::kPictureAt[3].y),
                 Cell("month", D::kPictures[4], 0, 0, D::kPictureAt[4].x, D::kPictureAt[4].y),
                 Cell("year's ones: 1", D::kDigitSheet, 1, 0, D::kDigitAt[1].x, D::kDigitAt[1].y),
                 Cell("month's ones: 4", D::kDigitSheet, 4, 0, D::kDigitAt[3].x, D::kDigitAt[3].y)});
    }
    // The month's start: the house, メル and her line.
    g.PlayUntil("ev_103", 60);
    g.Check("11_month_start",
            Join({{Screen("background", "bg\\ev_house1.bmp", 3, 0), Screen("background", "bg\\ev_house1.bmp", 3, 1),
                   Somewhere("figure", "chara\\me_01.bmp", 0, 0)},
                  MessageBox()}),
            "0:bgm\\bgm_003.ogg 2:voice\\me_1003.ogg");
    // The food allowance over the mansion's picture: the board with price 4, the needed
    // 100 of a content girl, the amount 10 that gives 10 %, the money left, the decide
    // button and the eight arrows, the explanation in the window, the slide panel's food
    // item.
    g.PlayUntilMode(15, 60);
    {
        using F = CFoodAllowanceScene;
        const char* digits = "obj\\p001_000.bmp";
        const int32_t arrows[8][2] = {{470, 163}, {500, 159}, {529, 164}, {559, 159},
                                      {468, 222}, {499, 216}, {528, 223}, {558, 215}};
        List food = {Screen("background", "bg\\bg06mk.bmp", 0, 1), Screen("background", "bg\\bg06mk.bmp", 3, 1),
                     Cell("board", F::kBoard, 0, 0, F::kBoardX, 0), Cell("board", F::kBoard, 1, 1, F::kBoardX + 200, 200),
                     Button("decide", F::kDecide, 0, F::kDecideX, F::kDecideY), Cell("price 4", digits, 4, 0, 555, 86),
                     Cell("money sign", digits, 10, 0, 578, 86), Cell("needed: ones", digits, 0, 0, 557, 122),
                     Cell("needed: hundreds", digits, 1, 0, 516, 123), Cell("amount: tens", digits, 1, 0, 527, 190),
                     Cell("amount: thousands", digits, 0, 0, 466, 190), Cell("satiety: tens", digits, 1, 0, 536, 302),
                     Cell("percent sign", digits, 11, 0, 578, 302)};
        for (int i = 0; i < 8; ++i) food.push_back(Button("arrow " + std::to_string(i), F::kArrows, i / 4, arrows[i][0], arrows[i][1]));
        g.Check("09_food_allowance", Join({food, MessageBox(), SlidePanel(22)}));
    }
    // The question's two answers in their frame over the room (the script took パル off
    // before its follow-up).
    g.PlayUntil("ev_104", 40);
    g.Until("selection", [&g] { return g.Played("ev_104") && g.Raising() && g.Raising()->IsSelectionShown(); }, 600,
            [&g](int i) {
                if (i % 6 == 0) g.D().Click(700, 100);
            });
    g.D().Move(700, 100);
    g.D().Frame(40);
    g.Check("12_selection",
            {Screen("background", "bg\\ev_room.bmp", 3, 0),
             Cell("frame", CSelectionScene::kFramePicture, 0, 0, CSelectionScene::kFrameX, CSelectionScene::kFrameY),
             Somewhere("answer 1", "obj\\selection\\sel_104.bmp", 0, 0), Somewhere("answer 2", "obj\\selection\\sel_104.bmp", 1, 0)},
            "0:bgm\\bgm_004.ogg");
    // The mansion menu of the first turn: the mansion's picture, the first side card and
    // every button that is enabled (work, training, the small expense, end and status),
    // the others in their locked look (friend, shop and meal wait for the second week,
    // bond for an evaluation of 50, the job for its conditions), the slide panel's
    // mansion item over the top buttons and the window over the last.
    g.PlayUntilMode(16, 60);
    {
        List mansion = {Screen("background", "bg\\bg06mk.bmp", 3, 1),
                        At(Cell("side card 0", "obj\\h000_000.bmp", 0, 0, 280, 0), 100, 70)};
        for (int i : {0, 3, 7, 8, 9}) {
            mansion.push_back(Button("button " + std::to_string(i), CMansionMenuScene::ButtonPicture(i), 0,
                                     CMansionMenuScene::ButtonPos(i)));
        }
        for (int i : {1, 2, 4, 5, 6}) {
            mansion.push_back(Disabled("button " + std::to_string(i) + ", disabled", CMansionMenuScene::ButtonPicture(i),
                                       0, CMansionMenuScene::ButtonPos(i)));
        }
        g.Check("12b_mansion_side", Join({mansion, SlidePanel(1), MessageBox()}));
    }
    // Balloons over the garden, the first one speaking, then the second under it: each
    // wholly on the screen (looked at by its body's far corners) and clear of the other.
    auto balloon = [](int i) {
        const demo::SBalloonAt at = demo::BalloonAt(i);
        const SVisible shape = Cell("balloon " + std::to_string(i), "obj\\f000_000.bmp", i, 0, at.x, at.y);
        return List{At(shape, 60, 40), At(shape, demo::kBalloonWidth - 60, demo::kBalloonHeight - 30)};
    };
    g.PlayUntil("ev_112", 50);
    g.Check("13_balloons",
            Join({{Screen("background", "bg\\ev_garden.bmp", 0, 2), Screen("background", "bg\\ev_garden.bmp", 3, 2)},
                  balloon(0)}),
            "0:bgm\\bgm_007.ogg 2:voice\\lu_1012.ogg");
    g.D().Click(400, 500);
    g.D().Frame();
    g.D().Move(400, 500);
    g.D().Frame(50);
    g.Check("13a_second_balloon", Join({{Screen("background", "bg\\ev_garden.bmp", 3, 2)}, balloon(0), balloon(1)}),
            "0:bgm\\bgm_007.ogg 2:voice\\me_1012.ogg");
    // The home menu: the household by morning under its half-black veil (layer 101)
    // through the frame, the first information picture, the buttons a satiety of 10
    // leaves enabled (rest, data, end) and the others locked.
    g.PlayUntilMode(17, 60);
    {
        const std::vector<std::pair<int, SPoint>> enabled = {{2, {408, 160}}, {5, {624, 160}}, {6, {640, 248}}};
        List home = {Veiled(At(Screen("household", "bg\\bg13m.bmp", 3, 1), 100, 150), 0x80),
                     Cell("frame", "obj\\h001_005.bmp", 0, 0, 0, 152),
                     Cell("information 0", "obj\\m000_000.bmp", 0, 0, 280, 0)};
        for (const auto& [i, at] : enabled) {
            home.push_back(Button("button " + std::to_string(i), CHomeScene::kButtonPictures[i], 0, at));
        }
        // Housework, the outing, room play and nursing wait for her satiety.
        const std::vector<std::pair<int, SPoint>> disabled = {{0, {176, 240}}, {1, {8, 160}}, {3, {384, 280}}, {4, {160, 160}}};
        for (const auto& [i, at] : disabled) {
            home.push_back(Disabled("button " + std::to_string(i) + ", disabled", CHomeScene::kButtonPictures[i], 0, at));
        }
        g.Check("13b_home_side", Join({home, SlidePanel(9), MessageBox()}));
    }
    g.PlayUntil("ev_115", 40);
    g.Check("14_month_end_event",
            Join({{Screen("picture", "cg\\ev08.bmp", 3, 0), Somewhere("figure", "chara\\lu_01.bmp", 0, 0)}, MessageBox()}),
            "0:bgm\\bgm_009.ogg 2:voice\\lu_1015.ogg");
    // The month report shows in the window over the picture, dimmed by the month end's
    // half-black veil, once the end-of-month command runs.
    g.D().Click(400, 300);
    g.D().Frame(200);
    g.Check("15_month_report", Join({{Veiled(Screen("picture", "cg\\ev08.bmp", 3, 0), 0x80)}, MessageBox()}));
    g.Until("logo after the month", [&g] { return g.Scenes().GetCurrentSceneId() == CRaisingScene::kEndScene; }, 6000,
            [&g](int i) { g.Player(i); });
    g.AtScene(CRaisingScene::kEndScene);
    g.D().Frame(30);
    g.Check("16_logo_after_month", {});
    g.ToTitle();
    g.D().Frame(30);
    g.Check("17_title_again", TitleMenu());
    // What the month unlocked: the picture viewer's first entries and the play view's
    // (events 101 to 104 and the first answer 105 are play-view indexes 0 to 4).
    const CSystemData& unlocks = g.D().Game().GetSystemData();
    for (int index = 0; index <= 4; ++index) EXPECT_NE(unlocks.GetPlayViewUnlock(index), 0) << index;
    EXPECT_EQ(unlocks.GetPlayViewUnlock(5), 0);
    for (int key : {1001, 1003, 1004}) EXPECT_NE(unlocks.GetCgUnlock(key), 0) << key;
    EXPECT_NE(unlocks.GetMusicUnlock(0), 0);
    // The pointer on the first entry, unlocked by the prologue.
    const SPoint slot = CThumbnailGridScene::FrameAt(0);
    g.Open(12, 10);
    g.D().Move(slot.x + 2, slot.y + 2);
    g.D().Frame(20);
    g.Check("18_viewer_after_month",
            Join({ThumbnailGrid(CCGViewerScene::kTitle, 2, "obj\\small_app\\cg\\ev01.bmp", "obj\\pv_cg01.bmp"),
                  g.BottomBand()}));
    // The first entry in the full view: its first unlocked group, the picture with its
    // two overlays at their places.
    g.D().Click(slot.x + 2, slot.y + 2);
    g.AtScene(13, 200);
    g.D().Frame(30);
    g.Check("18b_full_view", {Screen("picture", "cg\\ev01.bmp", 3, 0), Screen("picture", "cg\\ev01.bmp", 3, 2),
                              Cell("overlay a", "sc\\ev01a.bmp", 0, 0, 100, 200), Cell("overlay b", "sc\\ev01b.bmp", 0, 0, 500, 200)});
    g.Open(14, 10);
    g.D().Move(slot.x + 2, slot.y + 2);
    g.D().Frame(20);
    g.Check("19_play_view_after_month",
            Join({ThumbnailGrid(CPlayViewScene::kTitle, 3, "obj\\small_app\\cg\\pv01.bmp", "obj\\pv_ev01.bmp"),
                  g.BottomBand()}));
    // The music room with the month's tunes unlocked, the first nine with no gap between
    // them (the month's events play bgm_001 to bgm_009): the first track's button with
    // the whole title, clicked, the eight others with theirs, and the playing track's
    // title at the top.
    {
        using M = CMusicRoomScene;
        g.Open(M::kSceneId, 10);
        const SPoint track = M::TrackPlace(0);
        g.D().Click(track.x + 100, track.y + 8);
        g.D().Frame();
        g.D().Move(400, 300);
        g.D().Frame(20);
        List tracks;
        for (int32_t t = 1; t < 9; ++t) {
            tracks.push_back(Worded(Button("track " + std::to_string(t + 1), M::kTrackSheet, t, 32, 160 + 16 * t)));
        }
        g.Check("19b_music_room_after_month",
                Join({TabBar(M::kOwnTab),
                      {Cell("title", M::kTitle, 0, 0, 0, 0), Worded(Cell("track 1, playing", M::kTrackSheet, 0, 2, track.x, track.y)),
                       Worded(Cell("the playing track's title", M::kTrackTitleSheet, 0, 0, M::kTrackTitlePlace.x,
                                   M::kTrackTitlePlace.y)),
                       Button("stop", M::kControlSheet, 2, M::kControlPlaces[2]),
                       Button("back", M::kControlSheet, 5, M::kControlPlaces[5])},
                      tracks, g.BottomBand()}));
    }
    GOLDEN_FINISH(g);
}

// The hint window opened by the message window's hint button during the prologue: its
// frame and side picture, the six tabs (the first checked), the four options, the close
// button, the arrows and the first tab's rows with their pictures and buttons.
TEST(GoldenFrames, TheHintWindowOverAnEvent) {
    GoldenRun g;
    g.NewGame();
    g.PlayUntil("ev_101", 60);
    // The window's buttons rise into place while the pointer stays in the bottom band.
    const SPoint hint{621 + 39, 536 + 12};
    g.D().Move(hint.x, hint.y);
    g.D().Frame(20);
    g.D().Click(hint.x, hint.y);
    g.D().Frame();
    g.D().Move(400, 20);
    g.Until("hint window", [&g] { return g.Raising() && g.Raising()->GetHintWindow().IsShown(); }, 200);
    g.D().Frame(30);
    List hints = {Cell("frame", "obj\\u000_003.bmp", 1, 1, 152 + 324, 300), Cell("side picture", "obj\\u004_000.bmp", 0, 2, 0, 400),
                  Cell("tab 1", "obj\\u000_009.bmp", 0, 2, 160, 8), Button("close", "obj\\h002_001.bmp", 0, 672, 544)};
    for (int i = 1; i < 6; ++i) hints.push_back(Button("tab " + std::to_string(i + 1), "obj\\u000_009.bmp", i, 160 + 104 * i, 8));
    // The options: file order (on), key order, unseen only, guide.
    const int32_t options[4] = {176, 288, 400, 560};
    hints.push_back(Cell("option: file order", "obj\\u000_010.bmp", 0, 2, options[0], 544));
    for (int i = 1; i < 4; ++i) hints.push_back(Button("option " + std::to_string(i), "obj\\u000_010.bmp", i, options[i], 544));
    for (int k = 0; k < 5; ++k) {
        char picture[32];
        std::snprintf(picture, sizeof picture, "obj\\h100_%03d.bmp", k);
        hints.push_back(Somewhere("hint picture " + std::to_string(k), picture, 0, 0));
        hints.push_back(Button("row button " + std::to_string(k), "obj\\u000_005.bmp", 0, 608, 64 + 80 * k));
    }
    g.Check("13c_hint_window", hints);
    // A row's button shows its hint's picture in the event panel: it slides in to (264,
    // 0), reaching the screen's right edge, with its close button at (272, 8), the mark
    // of a played event at (592, 8) and the event's name.  The window's EVENT button
    // (16) then closes it and opens it again.
    CEventPanel& panel = g.Raising()->Stage().GetEventPanel();
    g.D().Click(608 + 48, 64 + 16);
    g.D().Frame();
    g.D().Move(400, 300);
    g.Until("the event panel", [&panel] { return panel.GetState() == CEventPanel::STATE_SHOWN; }, 200);
    const SPoint event{703 + 39, 536 + 12};
    g.D().Move(event.x, event.y);
    g.D().Frame(20);
    g.D().Click(event.x, event.y);
    g.Until("the event panel closed", [&panel] { return panel.GetState() == CEventPanel::STATE_HIDDEN; }, 60);
    EXPECT_EQ(g.D().Probe().At(g.D().Pixels(), 733, 36).sheet, "cg\\ev01.bmp") << "the picture under the panel";
    g.D().Click(event.x, event.y);
    g.Until("the event panel again", [&panel] { return panel.GetState() == CEventPanel::STATE_SHOWN; }, 60);
    g.D().Frame(5);
    g.Check("13d_event_panel",
            Join({{Cell("event picture", "obj\\h100_000.bmp", 1, 0, 398, 0), Cell("event picture", "obj\\h100_000.bmp", 3, 0, 666, 0),
                   Button("panel's close button", "obj\\u000_005.bmp", 1, 272, 8), Worded(Cell("seen mark", "obj\\u000_004.bmp", 1, 0, 592, 8)),
                   Cell("event button, on", "obj\\f000_005.bmp", 2, 3, 703, 536)},
                  g.Captions("obj\\h100_000.bmp", SPoint{264, 0}),
                  {Cell("message box, under the raised buttons", "obj\\f000_001.bmp", 3, 0, 600, 416)}}));
    GOLDEN_FINISH(g);
}

// A later month (year 2, month 8, a seasonal event free to come): the work report's
// board after its first script, with the work and the pay rate counted up; then the
// seasonal screen announcing 奇天烈昆布丸 with its three pictures.
TEST(GoldenFrames, TheWorkReportAndTheSeasonalScreenOfALaterMonth) {
    GoldenRun g;
    g.NewGame();
    g.PlayUntilMode(4, 10);
    CStatus& status = g.Raising()->State().GetStatus();
    status.SetParam(109, 0, 2);
    status.SetParam(109, 1, 8);
    status.Words().seasonGap = 2;
    // The screen a host mode embeds.
    auto screen = [&g]() -> CModeState* {
        auto* host = dynamic_cast<CModeHostState*>(g.Raising()->GetCurrentMode());
        return host ? host->GetScreen() : nullptr;
    };
    auto report = [&]() { return dynamic_cast<CR000Scene*>(screen()); };
    g.Until("the report's board", [&] { return g.Mode() == 5 && report() && report()->GetPhase() == 11; }, 3000,
            [&g](int i) {
                if (i % 8 == 0 && !g.Played("ev_122")) g.D().Click(700, 560);
            });
    g.D().Move(700, 560);
    g.D().Frame(10);
    {
        using R = CR000Scene;
        const char* digits = "obj\\p001_000.bmp";
        g.Check("08_work_report",
                {Screen("background", R::kBackground, 0, 1), At(Cell("board", R::kBoard, 0, 0, 232, 0), 16, 100),
                 Cell("label: work", R::kLabels, 0, 0, 264, 72), Cell("label: pay rate", R::kLabels, 1, 0, 264, 113),
                 Cell("year's ones: 2", R::kDateDigits, 2, 0, 296, 24), Cell("month's ones: 8", R::kDateDigits, 8, 0, 392, 24),
                 Cell("work: 0", digits, 0, 0, 567, 73), Cell("pay rate: 2", digits, 2, 0, 569, 124),
                 Cell("mark", digits, 12, 0, 591, 78)});
    }
    g.Until("the seasonal screen", [&] {
        const CG000Scene* season = dynamic_cast<const CG000Scene*>(screen());
        return g.Mode() == 6 && season && season->GetState() == 3 && season->GetPictureState(2) == 2;
    }, 3000, [&g](int i) {
        if (i % 8 == 0 && g.Mode() != 6) g.D().Click(700, 560);
    });
    g.D().Frame(5);
    {
        using G = CG000Scene;
        // The three pictures of kind 8 over the report's picture (the household the
        // screen prepares comes in with the event's screen change).
        g.Check("08b_seasonal_screen", {Screen("background", CR000Scene::kBackground, 0, 1), Cell("picture 1", G::kSheets[0], 7, 0, G::kPictureAt[0].x, G::kPictureAt[0].y),
                                        Cell("picture 2", G::kSheets[1], 7, 0, G::kPictureAt[1].x, G::kPictureAt[1].y),
                                        Cell("picture 3", G::kSheets[2], 6, 0, G::kPictureAt[2].x, G::kPictureAt[2].y)});
    }
    GOLDEN_FINISH(g);
}

// The staff roll (no step of the first month leads to it; asked for as its mode): the
// frame round the pages, a page and a credit line rising.
TEST(GoldenFrames, TheStaffRoll) {
    GoldenRun g;
    g.NewGame();
    g.PlayUntilMode(4, 10);
    g.Raising()->SetMode(14, 0, 0);
    using S = CStaffRollScene;
    g.D().Frame(S::kIntroSteps + 720);
    // The roll picks one of three sequences of pages; its first page shows in the frame
    // while the credit lines rise on the right.
    SVisible page{"the first page of a sequence", "", 0, 0, 0, 0, {}};
    for (const auto& sequence : S::kSequences) {
        page.anyOf.push_back(Cell("page", S::PagePath(sequence[0]), 0, 0, S::kPageAt.x, S::kPageAt.y));
    }
    SVisible line{"a credit line", "", 0, 0, 0, 0, {}};
    for (int32_t k = 0; k < S::kLineCount; ++k) line.anyOf.push_back(Somewhere("line", S::LinePath(k), 0, 0));
    g.Check("35_staff_roll", {Cell("frame", S::kFrame, 0, 0, S::kFrameAt.x, S::kFrameAt.y), page, line},
            "0:bgm\\bgm_018.ogg");
    GOLDEN_FINISH(g);
}

// The menus and developer scenes, each opened by a cut.
TEST(GoldenFrames, MenusAndScenesById) {
    GoldenRun g;
    using SL = CSaveLoadScene;
    // The save and load screens of a first start: title, tabs, page 1 on, the other page
    // buttons and back; saving takes every slot, so its four empty slots show their frames
    // and empty cards in full, while loading takes none and draws them dim.
    auto saveLoad = [&g](const char* title, int32_t own, bool slots) {
        List out = Join({TabBar(own), g.BottomBand()});
        out.push_back(Cell("title", title, 0, 0, 0, 0));
        out.push_back(Cell("page 1", SL::kPageSheet, 0, 2, SL::kPageButtonX[0], 12));
        for (int b = 1; b < SL::kPageButtons; ++b) {
            out.push_back(Button("page button " + std::to_string(b), SL::kPageSheet, b, SL::kPageButtonX[b % 5], b < 5 ? 12 : 40));
        }
        for (int k = 0; slots && k < SL::kPerPage; ++k) {
            out.push_back(Somewhere("slot frame", SL::kFrameSheet, 0, 0));
            out.push_back(Cell("empty card " + std::to_string(k), "obj\\c000_008.bmp", 0, 0, CSlotCard::kThumb[k].x,
                               CSlotCard::kThumb[k].y));
        }
        return out;
    };
    const struct {
        int32_t scene;
        const char* name;
        int settle;
        List visible;
    } screens[] = {
        {8, "20_save", 30, saveLoad(SL::kSaveTitle, 0, true)},
        {9, "21_load", 30, saveLoad(SL::kLoadTitle, 1, false)},
        {12, "22_picture_viewer", 30, Join({ThumbnailGrid(CCGViewerScene::kTitle, 2), g.BottomBand()})},
        {14, "24_play_view", 30, Join({ThumbnailGrid(CPlayViewScene::kTitle, 3), g.BottomBand()})},
        // The music room of a first start: no track unlocked, so play and the modes are
        // locked and only back and the tabs answer.
        {15, "23_music_room", 30,
         Join({TabBar(CMusicRoomScene::kOwnTab),
               {Cell("title", CMusicRoomScene::kTitle, 0, 0, 0, 0),
                Disabled("play", CMusicRoomScene::kControlSheet, 0, CMusicRoomScene::kControlPlaces[0]),
                Disabled("repeat one", CMusicRoomScene::kModeSheet, 0, CMusicRoomScene::kModePlaces[0]),
                Button("back", CMusicRoomScene::kControlSheet, 5, CMusicRoomScene::kControlPlaces[5])},
               g.BottomBand()})},
        // The guide: its background, topic 0's one page, the buttons of topics 1 to 5, back.
        {17, "25_guide", 30,
         Join({{Screen("background", "obj\\u000_000.bmp", 3, 2),
                Cell("page", "obj\\u001_000.bmp", 0, 0, CU000Scene::kPagePlace.x, CU000Scene::kPagePlace.y),
                Button("back", "obj\\k000_008.bmp", 4, CU000Scene::kReturnPlace)},
               [] {
                   List topics;
                   for (int i = 0; i < CU000Scene::kTopicButtons; ++i) {
                       topics.push_back(Button("topic " + std::to_string(i + 1), "obj\\u000_001.bmp", i,
                                               CU000Scene::kTopicPlaces[static_cast<size_t>(i)]));
                   }
                   return topics;
               }()})},
        // The game over: its picture and both choices.
        {18, "26_game_over", 200,
         {Screen("picture", "obj\\v_000_000.bmp", 3, 0), Somewhere("load", "obj\\v_000_001.bmp", 0, 0),
          Somewhere("end", "obj\\v_000_001.bmp", 1, 0)}},
        {24, "27_status_1", 30,
         {Screen("background", "obj\\k000_009.bmp", 3, 1), Button("next page", "obj\\k000_008.bmp", 1, 584, 10),
          Button("back", "obj\\k000_008.bmp", 4, 592, 539)}},
        {25, "28_status_2", 30,
         {Screen("background", "obj\\k000_000.bmp", 3, 1), Button("other page", "obj\\k000_008.bmp", 1, 584, 10),
          Cell("items tab", "obj\\k000_008.bmp", 2, 2, 64, 520), Button("values tab", "obj\\k000_008.bmp", 3, 264, 520),
          Button("back", "obj\\k000_008.bmp", 4, 590, 550)}},
        // The transition sample before its first arrow key: picture A alone.
        {27, "29_sample_27", 30, {Screen("picture a", "bg\\bg00e1.bmp", 3, 1)}},
        {28, "30_sample_28", 30, {}},
        // The balloon sample: its balloon.
        {29, "31_sample_29", 30, {Somewhere("balloon", "obj\\f000_000.bmp", 0, 0)}},
    };
    for (const auto& s : screens) {
        g.Open(s.scene, s.settle);
        g.Check(s.name, s.visible);
    }
    // The settings menu and each of its six pages, by its page buttons.
    const std::array<const char*, 6> kPageBackgrounds = {
        CDisplayOptionPage::kBackgroundFile, CMessageOptionPage::kBackgroundFile, CSoundOptionPage::kBackgroundFile,
        CVoiceOptionPage::kBackgroundFile,   CCancelActionPage::kBackgroundFile,  CInfoPage::kBackgroundFile};
    g.Open(16, 30);
    for (int page = 0; page < 6; ++page) {
        const SPoint at = CSystemMenuScene::kCommandPlaces[static_cast<size_t>(page)];
        g.D().Click(at.x + 20, at.y + 10);
        g.D().Frame(40);
        char name[32];
        std::snprintf(name, sizeof name, "4%d_settings_page_%d", page, page);
        // The page button just clicked is on with the pointer still on it (look 3); the
        // page's background down to the bottom edge with the names of its rows.
        List settings = TabBar(CSystemMenuScene::kOwnTab, true);
        settings.push_back(Cell("page button", CSystemMenuScene::kCommandSheet, page, 3, at.x, at.y));
        const bool info = page == CInfoPage::kPageId;
        const std::string background = kPageBackgrounds[static_cast<size_t>(page)];
        const SPoint pageAt = info ? CInfoPage::kBackgroundAt : CMenuPage::kBackgroundAt;
        settings.push_back(At(Cell("page background, bottom", background, 0, 1, pageAt.x, pageAt.y + 256), 10, 250));
        const List captions = g.Captions(background, pageAt);
        settings.insert(settings.end(), captions.begin(), captions.end());
        for (int c = 6; c < CSystemMenuScene::kCommandCount; ++c) {
            settings.push_back(Button("command " + std::to_string(c), CSystemMenuScene::kCommandSheet, c,
                                      CSystemMenuScene::kCommandPlaces[static_cast<size_t>(c)]));
        }
        g.Check(name, settings);
    }
    // The letter viewer last: a table it reads sets the replay flag, which locks the
    // menus' tabs. The demo's one letter shows over black.
    g.Open(26, 30);
    g.Check("32_letter_viewer", {Screen("letter", "obj\\letter\\l001.bmp", 3, 1)});
    GOLDEN_FINISH(g);
}

// Without the graphics device: the title, then the prologue's first frames, through the
// GDI renderer.
TEST(GoldenFrames, TheTitleAndAStageFrameThroughGdi) {
    GoldenRun g(true);
    g.D().Start(7);
    g.AtScene(7, 400);
    g.D().Frame(40);
    g.Check("50_gdi_title", TitleMenu(false));
    g.NewGame();
    g.PlayUntil("ev_101", 60);
    g.Check("51_gdi_stage",
            Join({{Screen("picture", "cg\\ev01.bmp", 3, 0), Cell("overlay", "sc\\ev01a.bmp", 0, 0, 100, 200)}, MessageBox()}));
    GOLDEN_FINISH(g);
}

}  // namespace
