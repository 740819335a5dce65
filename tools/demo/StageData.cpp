// The stage's own sheets (message window, balloons, event picture panel), the selection
// frame, the slide panel, the hint window and the picture mode, and the stage's sound
// effects.  Grids as docs/message-window.md and docs/hints.md lay them out; sizes put
// the cells where the screens draw them.
#include <cstdio>
#include <string>

#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/SelectionScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

// The window's box (obj\f000_001.bmp) is also the message settings page's preview and
// is written with that page (SettingsData.cpp).
void WriteMessageWindow(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("obj\\f000_002.bmp", 192, 32, 6, 1));   // waiting mark
    out.Sheet(kit::MakeSheet("obj\\f000_000.bmp", 6480, 160, 9, 1)); // balloon shapes
    out.Sheet(kit::MakeSheet("obj\\f000_003.bmp", 960, 200, 12, 5)); // buttons 0 to 11
    out.Sheet(kit::MakeSheet("obj\\f000_004.bmp", 124, 155, 2, 5));  // buttons 12, 13
    out.Sheet(kit::MakeSheet("obj\\f000_005.bmp", 237, 120, 3, 5));  // buttons 14 to 16
    // The event panel's button, seen marks and read mark; the hint window draws the same.
    out.Sheet(kit::MakeSheet("obj\\u000_005.bmp", 192, 160, 2, 5));
    out.Sheet(kit::MakeSheet("obj\\u000_004.bmp", 128, 32, 2, 1));
    out.Sheet(kit::MakeSheet("obj\\u003_000.bmp", 64, 32, 1, 1));
}

// The hint window: a frame right of a side picture, six tabs, four options, arrows and
// a scrollbar, and five rows of 80 pixels with a speaker, a picture, marks and a button.
void WriteHintWindow(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("obj\\u000_003.bmp", 648, 600, 2, 2));
    out.Sheet(kit::MakeSheet("obj\\u004_000.bmp", 152, 600, 1, 3));
    out.Sheet(kit::MakeSheet("obj\\u000_009.bmp", 600, 200, 6, 5));
    out.Sheet(kit::MakeSheet("obj\\u000_010.bmp", 416, 200, 4, 5));
    out.Sheet(kit::MakeSheet("obj\\u000_008.bmp", 64, 160, 2, 5));
    out.Sheet(kit::MakeSheet("obj\\u000_006.bmp", 24, 376, 1, 1));
    out.Sheet(kit::MakeSheet("obj\\u000_007.bmp", 16, 48, 1, 1));
    out.Sheet(kit::MakeSheet("obj\\u002_000.bmp", 128, 96, 4, 3));
}

// The slide panel: a board with the date digits and three labels, and one picture per
// item (obj\e000_005.bmp for item 0 up to obj\e000_027.bmp for item 22).
void WriteSlidePanel(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("obj\\e000_000.bmp", 240, 176, 2, 2));
    out.Sheet(kit::MakeSheet("obj\\e000_001.bmp", 192, 20, 12, 1));
    for (int i = 2; i <= 4; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "obj\\e000_%03d.bmp", i);
        out.Sheet(kit::MakeSheet(name, 48, 16, 1, 1));
    }
    for (int item = 0; item < 23; ++item) {
        char name[32];
        std::snprintf(name, sizeof name, "obj\\e000_%03d.bmp", item + 5);
        out.Sheet(kit::MakeSheet(name, 120, 88, 2, 1));
    }
}

// The details of the time-of-day background over the household's picture (which the
// home side writes): for each hour an extra picture and five strips of three frames.
void WriteTimeOfDayDetails(CDemoWriter& out) {
    for (const char hour : {'m', 'e', 'n'}) {
        out.Sheet(kit::MakeSheet(std::string("bg\\bg130e") + hour + ".bmp", 160, 120, 1, 1));
        for (const char* strip : {"a", "b", "c", "d", "et"}) {
            std::string name = std::string("bg\\bg130") + strip + hour + ".bmp";
            if (std::string(strip) == "et") name = std::string("bg\\bg130e") + hour + "t.bmp";
            out.Sheet(kit::MakeSheet(name, 288, 72, 3, 1));
        }
    }
}

}  // namespace

void WriteStageData(CDemoWriter& out) {
    WriteMessageWindow(out);
    WriteHintWindow(out);
    WriteSlidePanel(out);
    WriteTimeOfDayDetails(out);
    out.Sheet(kit::MakeSheet(CSelectionScene::kFramePicture, 352, 240, 1, 1));
    out.Sheet(kit::MakeSheet(CPictureMode::kPicture, 800, 600, 4, 3));
    out.Sound("se\\se_220.ogg", 400u, 3000);
    out.Sound("se\\se_27b.ogg", 401u, 3000);
}

}  // namespace demo
