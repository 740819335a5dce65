// The save and load screens (scenes 8 to 11).  Sizes put each sheet's cells where the
// screen places them without one covering another: the slot frame (384 × 240 a cell)
// is a PNG under its ".bmp" name with a transparent window, since the thumbnail is
// drawn before it.
#include "game/menus/save/SaveLoadScene.h"
#include "game/menus/save/SlotCard.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSaveLoadData(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kSaveTitle, 280, 48, 2, 1));
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kLoadTitle, 280, 48, 2, 1));
    // Ten buttons of 64 × 24 in two rows (y 12 and 40).
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kPageSheet, 640, 120, 10, 5));
    kit::SSheetSpec frame = kit::MakeSheet(CSaveLoadScene::kFrameSheet, 384, 720, 1, 3);
    frame.png = true;
    for (int32_t row = 0; row < 3; ++row) frame.areas.push_back({6, row * 240 + 30, 372, 200, 0x00000000u});
    out.Sheet(frame);
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kCommentSheet, 64, 100, 1, 5));
    out.Sheet(kit::MakeSheet(CSaveLoadScene::kClearDataPicture, 200, 150, 2, 2));
    // The overwrite question (panel type 6) and its two buttons.
    out.Sheet(kit::MakeSheet("obj\\c000_014.bmp", 352, 216, 1, 1));
    out.Sheet(kit::MakeSheet("obj\\c000_015.bmp", 512, 160, 2, 5));

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
