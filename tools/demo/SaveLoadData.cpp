// The save and load screens (scenes 8 to 11).  Sizes put each sheet's cells where the
// screen places them without one covering another: the slot frame (384 × 240 a cell)
// is a PNG under its ".bmp" name with a transparent window, since the thumbnail is
// drawn before it.
#include "game/menus/save/SaveLoadScene.h"
#include "game/menus/save/SlotCard.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSaveLoadData(CDemoWriter& out) {
    out.Sheet(kit::MakeControls(CSaveLoadScene::kSaveTitle, 280, 48, 2, 1, {"Save"}));
    out.Sheet(kit::MakeControls(CSaveLoadScene::kLoadTitle, 280, 48, 2, 1, {"Load"}));
    // Ten buttons of 64 × 24 in two rows (y 12 and 40): pages 1 to 9, then back.
    out.Sheet(kit::MakeControls(CSaveLoadScene::kPageSheet, 640, 120, 10, 5,
                                {"1", "2", "3", "4", "5", "6", "7", "8", "9", "Back"}));
    kit::SSheetSpec frame = kit::MakeSheet(CSaveLoadScene::kFrameSheet, 384, 720, 1, 3);
    frame.png = true;
    for (int32_t row = 0; row < 3; ++row) frame.areas.push_back({6, row * 240 + 30, 372, 200, 0x00000000u});
    out.Sheet(frame);
    out.Sheet(kit::MakeControls(CSaveLoadScene::kCommentSheet, 64, 100, 1, 5, {"Comment"}));
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kClearDataPicture, 200, 150, 2, 2));
    // The overwrite question (panel type 6) and its two buttons.
    out.Sheet(kit::MakeControls("obj\\c000_014.bmp", 352, 216, 1, 1, {"Overwrite this save?"}));
    out.Sheet(kit::MakeControls("obj\\c000_015.bmp", 512, 160, 2, 5, {"Yes", "No"}));

    // The card: a thumbnail's place, date digits of 16 × 20, status digits of 12 × 18,
    // captions of 20 × 16, rank pictures of 48 × 32 and the two marks.
    out.Sheet(kit::MakeSheet(CSlotCard::kEmptyPicture, 200, 150, 2, 2));
    out.Sheet(kit::MakeSheet(CSlotCard::kDateDigits, 160, 20, 10, 1));
    out.Sheet(kit::MakeSheet(CSlotCard::kStatusDigits, 120, 18, 10, 1));
    out.Sheet(kit::MakeSheet(CSlotCard::kCaptions, 100, 16, 5, 1));
    out.Sheet(kit::MakeSheet(CSlotCard::kRanks, 288, 32, 6, 1));
    out.Sheet(kit::MakeSheet(CSlotCard::kLastSavedMark, 64, 24, 1, 1));
    out.Sheet(kit::MakeSheet(CSlotCard::kCarryMark, 48, 24, 1, 1));
}

}  // namespace demo
