// The settings menu (scene 16) and its six pages.
#include <algorithm>

#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SliderSet.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSettingsData(CDemoWriter& out) {
    // The two headers under the tab bar (its sheet is a shared one), the page and
    // command buttons (9 × 5 cells of 72 × 28) and the option buttons the pages share
    // (14 × 3 cells of 88 × 32).
    out.Sheet(kit::MakeSheet(CSystemMenuScene::kHeaderLeft, 280, 88, 2, 1));
    out.Sheet(kit::MakeControls(CSystemMenuScene::kCommandSheet, 648, 140, 9, 5,
                                {"Screen", "Text", "Sound", "Voice", "Cancel key", "Info", "Defaults", "OK", "Cancel"}));
    // Columns: the screen modes (0 to 3), on and off, the skip modes, the sound tests and
    // the five things the cancel key may do.
    out.Sheet(kit::MakeControls(CSystemMenuScene::kOptionSheet, 1232, 96, 14, 3,
                                {"Window", "Full", "16 bit", "32 bit", "On", "Off", "Read", "All", "Test", "Window",
                                 "Hide", "Skip", "Save", "Load"}));
    // Page backgrounds drawn at (0, 88); the information page's at (72, 88).
    for (const char* file : {CDisplayOptionPage::kBackgroundFile, CMessageOptionPage::kBackgroundFile,
                             CSoundOptionPage::kBackgroundFile, CVoiceOptionPage::kBackgroundFile,
                             CCancelActionPage::kBackgroundFile}) {
        out.Sheet(kit::MakeSheet(file, 800, 424, 4, 2));
    }
    out.Sheet(kit::MakeSheet(CInfoPage::kBackgroundFile, 656, 424, 4, 2));
    // Sliders: a frame, a fill of 240 × 16 (ten 24-pixel cells, so a screenshot shows
    // how far it is drawn) and the minus and plus buttons (2 × 3 cells of 24 × 24).
    out.Sheet(kit::MakeSheet(CSliderSet::kFrameFile, 272, 40, 4, 1));
    out.Sheet(kit::MakeSheet(CSliderSet::kFillFile, 240, 16, 10, 1));
    // The message window's box (drawn at (0, 416) in the game): a frame round an open
    // middle, since the stage's screens place controls under it (the food allowance's
    // question buttons at y 424 and 464, the mansion menu's last button at y 402).
    kit::SSheetSpec box = kit::MakeSheet(CMessageOptionPage::kWindowFile, 800, 184, 4, 1);
    box.areas.push_back({4, 4, 792, 176, 0x00000000u});
    out.Sheet(box);
    out.Sheet(kit::MakeControls(CInfoPage::kLinkSheet, 304, 144, 1, 3, {"Web site"}));
    out.Sheet(kit::MakeSheet(CInfoPage::kDigitSheet, 176, 24, CInfoPage::kDigitColumns, 1));
    // The test sounds; a voice that the logos already wrote stays as it is.
    // The music test, "bgm\\BGM_002.ogg", is the music room's bgm\\bgm_002.ogg: the file
    // layer matches names without regard to case (MusicRoomData.cpp writes it).
    out.Sound(CSoundOptionPage::kEffectTest, 301u, 500);
    for (size_t i = 0; i < CSoundOptionPage::kVoiceTests.size(); ++i) {
        const char* voice = CSoundOptionPage::kVoiceTests[i];
        const bool written = std::any_of(out.Files().begin(), out.Files().end(),
                                         [voice](const SDemoFile& f) { return f.path == voice; });
        if (!written) {
            out.Sound(voice, 310u + static_cast<uint32_t>(i), 800);
        }
    }
}

}  // namespace demo
