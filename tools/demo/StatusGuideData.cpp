// The two status pages, the guide and the game-over screen.
#include <string>

#include "game/menus/status/GameOverScene.h"
#include "game/menus/status/GuideScene.h"
#include "game/menus/status/StatusPageScene1.h"
#include "game/menus/status/StatusPageScene2.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteStatusGuideData(CDemoWriter& out) {
    using P1 = CStatusPageScene1;
    using P2 = CStatusPageScene2;
    // Shared by both pages and the guide: 5 × 5 buttons of 160 × 40.
    // Column 1 turns the page, 2 and 3 are page 2's tabs, 4 goes back.
    out.Sheet(kit::MakeControls(P1::kButtonSheet, 800, 200, 5, 5, {"", "Page", "Items", "Values", "Back"}));
    // Page 1.  Large digits 20 × 28 (0..9, the unit and the money mark), small digits
    // 14 × 18 (0..9, the mark), sized to the places so that no glyph covers the next.
    out.Sheet(kit::MakeSheet(P1::kBackground, 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet(P1::kBand, 80, 32, 1, 1));
    out.Sheet(kit::MakeSheet(P1::kLargeDigits, 20 * P1::kLargeDigitCells, 28, P1::kLargeDigitCells, 1));
    out.Sheet(kit::MakeSheet(P1::kRanks, 96 * P1::kRankCells, 32, P1::kRankCells, 1));
    out.Sheet(kit::MakeSheet(P1::kGrades, 40 * P1::kGradeCells, 24, P1::kGradeCells, 1));
    out.Sheet(kit::MakeSheet(P1::kLevels, 24 * P1::kLevelCells, 32, P1::kLevelCells, 1));
    out.Sheet(kit::MakeSheet(P1::kSmallDigits, 14 * P1::kSmallDigitCells, 18, P1::kSmallDigitCells, 1));
    // Page 2.  Item icons and lock marks 20 × 20, faces 48 × 22 (clear of number 7
    // below them), the helpers' icons 24 × 20, the marker 16 × 16.
    out.Sheet(kit::MakeSheet(P2::kItemBackground, 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet(P2::kValueBackground, 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet(P2::kItems, 20 * P2::kItemCells, 20, P2::kItemCells, 1));
    out.Sheet(kit::MakeSheet(P2::kSlash, 12, 18, 1, 1));
    for (const char* icon : P2::kHelpers) out.Sheet(kit::MakeSheet(icon, 24, 20, 1, 1));
    out.Sheet(kit::MakeSheet(P2::kFaces, 48 * P2::kFaceCells, 22, P2::kFaceCells, 1));
    out.Sheet(kit::MakeSheet(P2::kMarker, 16, 16, 1, 1));
    out.Sheet(kit::MakeSheet(P2::kLocks, 20 * P2::kLockColumns, 20 * P2::kLockRows, P2::kLockColumns, P2::kLockRows));
    // The guide: topic buttons 176 × 80, pages 320 × 320 side by side (its arrows, 24 ×
    // 24, and page numbers, the in-game digit sheet, are written by the shared group).
    out.Sheet(kit::MakeSheet(CU000Scene::kBackground, 800, 600, 4, 3));
    out.Sheet(kit::MakeControls(CU000Scene::kTopicSheet, 880, 240, 5, 3,
                                {"Topic 1", "Topic 2", "Topic 3", "Topic 4", "Topic 5"}));
    // Each page says what it is: the overview how to choose a topic, the others their
    // topic and page, above the cell's plain middle.
    for (int t = 0; t < CU000Scene::kTopicCount; ++t) {
        const int32_t pages = CU000Scene::kPageCounts[t];
        kit::SSheetSpec sheet = kit::MakeSheet(CU000Scene::kPageSheets[t], 320 * pages, 320, pages, 1);
        if (t == 0) {
            sheet.captions = {{24, 40, "Choose a topic", 3}, {24, 72, "on the left.", 3},
                              {24, 112, "Its pages turn with", 2}, {24, 132, "the arrows below.", 2}};
        }
        for (int32_t p = 0; t > 0 && p < pages; ++p) {
            sheet.captions.push_back({320 * p + 24, 40, "Topic " + std::to_string(t), 3});
            sheet.captions.push_back(
                {320 * p + 24, 72, "Page " + std::to_string(p + 1) + " of " + std::to_string(pages), 3});
        }
        out.Sheet(sheet);
    }
    // The game over: buttons 256 × 32.
    out.Sheet(kit::MakeSheet(CV000Scene::kPicture, 800, 600, 4, 3));
    out.Sheet(kit::MakeControls(CV000Scene::kButtonSheet, 512, 160, 2, 5, {"Load a game", "End"}));
}

}  // namespace demo
