// The date card, the seasonal event screen and the staff roll.
#include <string>

#include "game/raising/season/DateCardScene.h"
#include "game/raising/season/SeasonalEventScene.h"
#include "game/raising/season/StaffRollScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSeasonData(CDemoWriter& out) {
    // The date card: five pictures sized to their places so that none covers a digit,
    // and digits of 64 × 96.
    using D = CD000Scene;
    out.Sheet(kit::MakeSheet(D::kPictures[0], 800, 128, 4, 1));
    out.Sheet(kit::MakeSheet(D::kPictures[1], 800, 136, 4, 1));
    out.Sheet(kit::MakeSheet(D::kPictures[2], 320, 232, 2, 2));
    out.Sheet(kit::MakeSheet(D::kPictures[3], 96, 64, 1, 1));
    out.Sheet(kit::MakeSheet(D::kPictures[4], 128, 96, 1, 1));
    out.Sheet(kit::MakeSheet(D::kDigitSheet, 64 * D::kDigitCells, 96, D::kDigitCells, 1));
    // The seasonal event: one cell per kind (picture 1 at (216, 32) 368 × 104, pictures
    // 2 and 3 at (0, 144) and (0, 304) 400 × 144), and the night background.
    using G = CG000Scene;
    out.Sheet(kit::MakeSheet(G::kSheets[0], 368 * G::kSheetCells, 104, G::kSheetCells, 1));
    out.Sheet(kit::MakeSheet(G::kSheets[1], 400 * G::kSheetCells, 144, G::kSheetCells, 1));
    out.Sheet(kit::MakeSheet(G::kSheets[2], 400 * G::kSheetCells, 144, G::kSheetCells, 1));
    out.StageSheet(kit::MakeSheet(G::kNightBackground, 800, 600, 4, 3));
    // The staff roll: the frame round the pages (360 × 440 at (40, 80), pages 344 × 424
    // at (48, 88)), eighteen credit lines of 400 × 48 and every page of the three
    // sequences, written as PNG to keep the folder small.
    using S = CStaffRollScene;
    kit::SSheetSpec frame = kit::MakeSheet(S::kFrame, 360, 440, 1, 1);
    frame.areas.push_back({8, 8, 344, 424, 0x00000000u});  // the window the pages show through
    frame.png = true;
    out.Sheet(frame);
    for (int32_t k = 0; k < S::kLineCount; ++k) out.Sheet(kit::MakeSheet(S::LinePath(k), 400, 48, 1, 1));
    bool written[S::kLastPage + 1] = {};
    auto page = [&](int32_t n) {
        if (written[n]) return;
        written[n] = true;
        kit::SSheetSpec spec = kit::MakeSheet(S::PagePath(n), 344, 424, 1, 1);
        spec.png = true;
        out.Sheet(spec);
    };
    for (const auto& sequence : S::kSequences) {
        for (int32_t n : sequence) page(n);
    }
    page(S::kLastPage);
}

}  // namespace demo
