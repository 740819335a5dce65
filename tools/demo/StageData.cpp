// The stage's own sheets (message window, balloons, event picture panel), the selection
// frame, the slide panel, the hint window and the picture mode, and the stage's sound
// effects.  Grids as docs/message-window.md and docs/hints.md lay them out; sizes put
// the cells where the screens draw them.
#include <cstdio>
#include <string>

#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/SelectionScene.h"
#include "tools/demo/DemoWriter.h"
#include "tools/demo/EventScripts.h"

namespace demo {

namespace {

// The window's box (obj\f000_001.bmp) is also the message settings page's preview and
// is written with that page (SettingsData.cpp).
void WriteMessageWindow(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("obj\\f000_002.bmp", 192, 32, 6, 1));  // waiting mark
    // Balloon shapes: a body in each cell round the text's 24-character box (96, 64 from
    // the corner) with a translucent rim, and nothing round it.
    kit::SSheetSpec balloons = kit::MakeSheet("obj\\f000_000.bmp", 9 * kBalloonWidth, kBalloonHeight, 9, 1);
    balloons.cellAreas = {{0, 0, kBalloonWidth, kBalloonHeight, 0x00000000u},
                          {40, 24, 640, 124, 0x80000000u, true},
                          {48, 32, 624, 108, 0xFF000000u, true}};
    out.Sheet(balloons);
    // Buttons 0 to 11 (the first set: save, load, skip, auto, hide, voice, the second
    // set; the second: return, settings, title, exit, back to the first), 12 and 13 (the
    // log), 14 to 16 (guide, hints, event panel).
    out.Sheet(kit::MakeControls("obj\\f000_003.bmp", 960, 200, 12, 5,
                                {"Save", "Load", "Skip", "Auto", "Hide", "Voice", "Menu", "Return", "Config", "Title",
                                 "Exit", "Close"}));
    out.Sheet(kit::MakeControls("obj\\f000_004.bmp", 124, 155, 2, 5, {"Older", "Newer"}));
    out.Sheet(kit::MakeControls("obj\\f000_005.bmp", 237, 120, 3, 5, {"Guide", "Hints", "Event"}));
    // The button that shows a hint's picture in the event panel (column 0, the hint
    // window's rows) and the panel's own, which closes it (column 1); the marks of an
    // event not played and played, and of one read in an earlier game.
    out.Sheet(kit::MakeControls("obj\\u000_005.bmp", 192, 160, 2, 5, {"Open", "Close"}));
    out.Sheet(kit::MakeControls("obj\\u000_004.bmp", 128, 32, 2, 1, {"New", "Seen"}));
    out.Sheet(kit::MakeControls("obj\\u003_000.bmp", 64, 32, 1, 1, {"Read"}));
}

// The hint window: a frame right of a side picture, six tabs, four options, arrows and
// a scrollbar, and five rows of 80 pixels with a speaker, a picture, marks and a button.
void WriteHintWindow(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("obj\\u000_003.bmp", 648, 600, 2, 2));
    out.Sheet(kit::MakeSheet("obj\\u004_000.bmp", 152, 600, 1, 3));
    out.Sheet(kit::MakeControls("obj\\u000_009.bmp", 600, 200, 6, 5,
                                {"Tab 1", "Tab 2", "Tab 3", "Tab 4", "Tab 5", "Tab 6"}));
    out.Sheet(kit::MakeControls("obj\\u000_010.bmp", 416, 200, 4, 5, {"In order", "By key", "Unseen", "Guide"}));
    out.Sheet(kit::MakeControls("obj\\u000_008.bmp", 64, 160, 2, 5, {"Up", "Dn"}));
    out.Sheet(kit::MakeSheet("obj\\u000_006.bmp", 24, 376, 1, 1));
    out.Sheet(kit::MakeSheet("obj\\u000_007.bmp", 16, 48, 1, 1));
    out.Sheet(kit::MakeSheet("obj\\u002_000.bmp", 128, 96, 4, 3));
}

// The slide panel: a board with the date digits and three labels, and one picture per
// item (obj\e000_005.bmp for item 0 up to obj\e000_027.bmp for item 22).  It slides in
// over the top left of the screen and is drawn over every mode, the mansion menu's list
// panels included (the first of them from (152, 128)): the board is a date strip (digits
// 20 high at y 7, so their last four rows are left open) and see-through below, with
// neither grid lines nor labels there, the labels are marks on a transparent ground and
// the pictures frames round what lies under them, ending above y 128.
void WriteSlidePanel(CDemoWriter& out) {
    kit::SSheetSpec board = kit::MakeSheet("obj\\e000_000.bmp", 240, 120, 1, 1);
    board.areas.push_back({0, 24, 240, 96, 0x00000000u});
    board.areasKeepLabels = false;
    out.Sheet(board);
    kit::SSheetSpec digits = kit::MakeSheet("obj\\e000_001.bmp", 192, 20, 12, 1);
    digits.cellAreas.push_back({0, 16, 16, 4, 0x00000000u});
    out.Sheet(digits);
    const char* labels[] = {"Year", "Month", "Week"};
    for (int i = 2; i <= 4; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "obj\\e000_%03d.bmp", i);
        kit::SSheetSpec label = GlyphSheet(name, 48, 16, 1, 1);
        label.columnWords = {labels[i - 2]};
        out.Sheet(label);
    }
    for (int item = 0; item < 23; ++item) {
        char name[32];
        std::snprintf(name, sizeof name, "obj\\e000_%03d.bmp", item + 5);
        kit::SSheetSpec picture = FrameSheet(name, 120, 48, 2, 1, 4);
        const char* word = item == 1 ? "Mansion" : item == 9 ? "Home" : item == 20 ? "Report" : item == 22 ? "Food" : "";
        picture.columnWords = {word};
        out.Sheet(picture);
    }
}

// The details of the time-of-day background over the household's picture (which the
// home side writes): for each hour an extra picture and five strips of three frames.
void WriteTimeOfDayDetails(CDemoWriter& out) {
    for (const char hour : {'m', 'e', 'n'}) {
        out.StageSheet(kit::MakeSheet(std::string("bg\\bg130e") + hour + ".bmp", 160, 120, 1, 1));
        for (const char* strip : {"a", "b", "c", "d", "et"}) {
            std::string name = std::string("bg\\bg130") + strip + hour + ".bmp";
            if (std::string(strip) == "et") name = std::string("bg\\bg130e") + hour + "t.bmp";
            out.StageSheet(kit::MakeSheet(name, 288, 72, 3, 1));
        }
    }
}

}  // namespace

void WriteStageData(CDemoWriter& out) {
    WriteMessageWindow(out);
    WriteHintWindow(out);
    WriteSlidePanel(out);
    WriteTimeOfDayDetails(out);
    // The selection's frame round its choices: a border round a dim inside.
    out.Sheet(FrameSheet(CSelectionScene::kFramePicture, 352, 240, 1, 1, 12, 0xA0000000u));
    out.Sheet(kit::MakeSheet(CPictureMode::kPicture, 800, 600, 4, 3));
    out.Sound("se\\se_220.ogg", 400u, 3000);
    out.Sound("se\\se_27b.ogg", 401u, 3000);
}

}  // namespace demo
