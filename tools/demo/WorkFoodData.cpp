// The monthly work report and the food allowance screen.  Grids as the screens cut
// the pictures; sizes keep every cell clear of the digits drawn near it (docs/work-report.md).
#include "game/raising/work/CountUpNumber.h"
#include "game/raising/work/FoodAllowanceScene.h"
#include "game/raising/work/WorkReportScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteWorkFoodData(CDemoWriter& out) {
    using R = CR000Scene;
    using F = CFoodAllowanceScene;
    // The report: board, date digits 24 × 32, labels and verdicts 160 × 32, rank marks
    // 48 × 40, the arrow 40 × 40 (also on the card), the minus sign as a digit cell.
    out.StageSheet(kit::MakeSheet(R::kBackground, 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet(R::kBoard, 400, 410, 2, 2));
    out.Sheet(kit::MakeSheet(R::kDateDigits, 24 * R::kDateColumns, 32, R::kDateColumns, 1));
    out.Sheet(kit::MakeControls(R::kLabels, 160 * R::kLabelColumns, 32, R::kLabelColumns, 1,
                                {"Work done", "Pay rate", "Evaluation", "Total", "Pay", "Money"}));
    out.Sheet(kit::MakeControls(R::kVerdicts, 160 * R::kVerdictColumns, 32, R::kVerdictColumns, 1,
                                {"Same rank", "New rank"}));
    out.Sheet(kit::MakeControls(R::kRankMarks, 48 * R::kRankColumns, 40, R::kRankColumns, 1,
                                {"E", "D", "C", "B", "A", "S"}));
    out.Sheet(kit::MakeSheet(R::kArrow, 40, 40, 1, 1));
    out.Sheet(kit::MakeSheet(CCountUpNumber::kSignPicture, 18, 24, 1, 1));
    // The rank card 384 × 256: title 200 × 32, row names 192 × 32, the separator 16 × 24.
    out.Sheet(kit::MakeSheet(R::kCardBoard, 384, 256, 2, 2));
    out.Sheet(kit::MakeControls(R::kCardTitle, 200, 32, 1, 1, {"Rank"}));
    out.Sheet(kit::MakeControls(R::kCardRows, 192 * R::kCardRowColumns, 32, R::kCardRowColumns, 1,
                                {"Pay rate", "Stamina", "To next"}));
    out.Sheet(kit::MakeSheet(R::kCardLine, 16, 24, 1, 1));
    // The food screen: board 400 × 400, arrows 24 × 24, the decide button 176 × 40,
    // the friend's picture, and the two confirmation panels (types 4 and 5).
    // The board names the numbers drawn on it, left of their places.
    kit::SSheetSpec board = kit::MakeSheet(F::kBoard, 400, 400, 2, 2);
    board.captions = {{24, 90, "Price", 2}, {24, 128, "Needed", 2}, {24, 190, "Amount", 2}, {24, 264, "Money left", 2},
                      {24, 304, "Satiety", 2}};
    out.Sheet(board);
    out.Sheet(kit::MakeControls(F::kArrows, 48, 120, 2, 5, {"+", "-"}));
    out.Sheet(kit::MakeControls(F::kDecide, 176, 200, 1, 5, {"Send food"}));
    out.StageSheet(kit::MakeControls(F::kFriendPicture, 320, 480, 2, 3, {"Felina"}));
    // The questions stand at (272, 336) with YES and NO (the question sheet's 256 × 32
    // cells) at (320, 424) and (320, 464): 352 × 216 holds both with the margins the
    // other questions have.
    out.Sheet(kit::MakeControls("obj\\p000_003.bmp", 352, 216, 1, 1, {"Send this food?"}));
    out.Sheet(kit::MakeControls("obj\\p000_004.bmp", 352, 216, 1, 1, {"Under 10%! Send?"}));
}

}  // namespace demo
