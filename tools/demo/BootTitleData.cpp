// Boot, the three logos, the opening and the title menu.
#include "game/menus/title/Ambient.h"
#include "game/menus/title/BootChain.h"
#include "game/menus/title/OpeningScene.h"
#include "game/menus/title/TitleMenuScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteBootTitleData(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet(CLogoScene1::kPicture, 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet(CLogoScene2::kPicture, 800, 600, 4, 3));
    for (int i = 0; i < CLogoScene1::kVoiceCount; ++i) {
        out.Sound(CLogoScene1::kVoices[i], 100u + static_cast<uint32_t>(i), 1200);
    }
    // The title picture (drawn at (336, 32)), the prompt at (512, 552) and the swinging
    // picture at (264, 480); picture planes show every pixel, so none is keyed.
    out.Sheet(kit::MakeSheet(COpeningScene::kTitle, 432, 320, 4, 2));
    out.Sheet(kit::MakeControls(COpeningScene::kPrompt, 256, 32, 2, 1, {"Click", "Click"}));
    out.Sheet(kit::MakeSheet(COpeningScene::kSwing, 96, 96, 2, 2));
    for (int i = 0; i < 2; ++i) {
        out.Sound(SAmbient::kFiles[i], 200u + static_cast<uint32_t>(i), 3000);
    }
    // The strip behind the buttons, the sheet of buttons 1 to 9 (10 × 5 cells of
    // 176 × 40; columns 1, 6, 7 and 8 are cleared at load) and button 0's own sheet (1 × 5).
    out.Sheet(kit::MakeSheet(CTitleMenuScene::kStrip, 800, 200, 4, 1));
    out.Sheet(kit::MakeControls(CTitleMenuScene::kButtonSheet, 1760, 200, 10, 5,
                                {"New game", "", "Load", "Continue", "Settings", "Guide", "", "", "", "Quit"}));
    out.Sheet(kit::MakeControls(CTitleMenuScene::kFirstButtonSheet, 176, 200, 1, 5, {"New game"}));
}

}  // namespace demo
