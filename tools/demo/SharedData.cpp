// Files that many screens load: the four short channel sounds, the wide background of
// the menu screens and the confirmation panels.
#include "game/core/GameMain.h"
#include "game/menus/kit/MenuTabBar.h"
#include "game/raising/wide/WideBackground.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSharedData(CDemoWriter& out) {
    for (int i = 0; i < CGameMain::kChannelSoundCount; ++i) {
        out.Sound(CGameMain::kChannelSounds[i], 10u + static_cast<uint32_t>(i), 150);
    }
    // Wide background: strips of 8-pixel rows, a band of 32-pixel columns repeating
    // every 256 pixels, and a landscape whose keyed sky lets the band show through.  The
    // landscape ends at y 488; the bottom strip, drawn from y 440 as high as its
    // picture, reaches the screen's bottom edge, so no menu screen ends in black.
    out.Sheet(kit::MakeSheet(CWideBackground::kTopStripFile, 4, 56, 1, 7));
    const int32_t bottom = 600 - CWideBackground::kBottomStripTop;
    out.Sheet(kit::MakeSheet(CWideBackground::kBottomStripFile, 4, bottom, 1, bottom / 8));
    out.Sheet(kit::MakeSheet(CWideBand::kFile, 256, 256, 8, 1));
    kit::SSheetSpec landscape = kit::MakeSheet(CWidePicture::kFile, 2400, 432, 12, 2);
    landscape.areas.push_back({0, 0, 2400, 150, kit::kKeyGreen});
    landscape.areasKeepLabels = false;
    out.Sheet(landscape);
    // The tab bar of the menu screens (6 × 5 cells of 48 × 32).
    out.Sheet(kit::MakeControls(CMenuTabBar::kSheet, 288, 160, 6, 5, {"Save", "Load", "CG", "Scenes", "Music", "Config"}));
    // The small header every menu screen draws at (280, 0), kept small so that it covers
    // none of the screens' own buttons.
    out.Sheet(kit::MakeSheet("obj\\c000_003.bmp", 136, 40, 1, 1));
    // The minus/plus and previous/next buttons of the settings pages and the guide, in
    // cells of 24 × 24: the sound page's minus buttons, from x 207, end one pixel before
    // the slider frames at x 232, level with the frames' bottom edge.  Their "<" and ">" are
    // drawn at twice the letters' size down into the cell's lower half, since the
    // guide's overview sends the player to them.
    kit::SSheetSpec arrows = kit::MakeControls("obj\\c000_037.bmp", 48, 72, 2, 3, {"<", ">"});
    arrows.wordsFillCell = true;
    out.Sheet(arrows);
    // The confirmation panels that carry their question, each with the two buttons most
    // types share: the quit question (type 2), the stage's return to the title (type 3)
    // and the letter read before (type 8).
    out.Sheet(kit::MakeControls("obj\\b000_010.bmp", 352, 216, 1, 1, {"Quit the game?"}));
    out.Sheet(kit::MakeControls("obj\\f000_007.bmp", 352, 216, 1, 1, {"Back to the title?"}));
    out.Sheet(kit::MakeControls("obj\\t001_000.bmp", 352, 216, 1, 1, {"Read it again?"}));
    out.Sheet(kit::MakeControls("obj\\b000_011.bmp", 512, 160, 2, 5, {"Yes", "No"}));
    // The digit sheet of the in-game screens: 14 cells of 18 × 24 (0..9, then the marks),
    // narrow enough for the closest digit places; the mansion screens' background (their
    // music, bgm\bgm_002.ogg, is one of the music room's tunes).
    out.Sheet(kit::MakeSheet("obj\\p001_000.bmp", 18 * 14, 24, 14, 1));
    out.StageSheet(kit::MakeSheet("bg\\bg06mk.bmp", 800, 600, 4, 3));
    // The back button of the list panels on both sides of the month (their number digits
    // are the settings' information page's sheet).
    out.Sheet(kit::MakeControls("obj\\h002_001.bmp", 64, 5 * 24, 1, 5, {"Back"}));
    // The digits 0 to 9 and the marks (money unit, minus, slash) of the home menu and the
    // mansion menu's cards: cells of 10 × 16, narrow enough for the closest places (11
    // pixels apart).
    out.Sheet(kit::MakeSheet("obj\\h001_000.bmp", 10 * 10, 16, 10, 1));
    out.Sheet(kit::MakeSheet("obj\\h001_001.bmp", 3 * 10, 16, 3, 1));
}

}  // namespace demo
