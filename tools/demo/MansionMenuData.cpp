// The mansion menu and the shop: the backgrounds, the buttons, the side cards and their
// figure sheets, the list panels of the menu, the shop's boards and goods, ロザナ's
// voices and the two help tables.  Positions and grids: docs/mansion-menu.md.
#include <string>
#include <vector>

#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/mansionmenu/ShopScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

using Menu = CMansionMenuScene;
using Shop = CShopScene;

// The menu's help lines 0 to 41 ("*d" a number, "*c" a name, "\" a line break).  Each
// help on its own line and no commas: the reader splits a line at a comma.
std::vector<std::string> MenuHelp() {
    std::vector<std::string> lines = {
        "0 work: *d more evaluation to the next rank.\\Stamina 8.",
        "1 time with a friend.\\Stamina 6.",
        "2 an action for a friend.\\Stamina 6.",
        "3 training: *d points to the next level.\\Stamina 5.",
        "4 the shop.",
        "5 part-time job: *d jobs to the next pay.\\Stamina 10.",
        "6 a meal.",
        "7 a small expense for the girl.\\Stamina 2.",
        "8 end the week at the mansion.",
        "9 the status pages.",
    };
    for (int f = 0; f < 4; ++f) lines.push_back(std::to_string(10 + f) + " friend " + std::to_string(f) + ": *d to the next level.");
    lines.push_back("14 meal 0: 40 for 10 stamina.");
    lines.push_back("15 meal 1: 120 for 20 stamina.");
    lines.push_back("16 meal 2: 300 for 30 stamina.");
    lines.push_back("17 work: the highest rank.\\Stamina 8.");
    for (int n = 18; n < 22; ++n) lines.push_back(std::to_string(n) + " (unused)");
    lines.push_back("22 part-time job: the highest pay.\\Stamina 10.");
    for (int n = 23; n < 27; ++n) lines.push_back(std::to_string(n) + " (unused)");
    for (int f = 0; f < 4; ++f) lines.push_back(std::to_string(27 + f) + " friend " + std::to_string(f) + ": the highest level.");
    for (int n = 31; n < 34; ++n) lines.push_back(std::to_string(n) + " (unused)");
    lines.push_back("34 *c and you pay 25: +*d. *c needs *d more.");
    lines.push_back("35 *c at no cost: +*d. *c needs *d more.");
    lines.push_back("36 *c is at the highest level.");
    lines.push_back("37 *c is at the highest level.");
    return lines;
}

std::vector<std::string> ShopHelp() {
    std::vector<std::string> lines;
    for (int e = 0; e < Shop::kEntryCount; ++e) {
        lines.push_back("goods " + std::to_string(e) + ": price " + std::to_string(Shop::Price(e)) + ".");
    }
    return lines;
}

// The ten buttons, in the menu's order.
constexpr const char* kButtonWords[Menu::kButtonCount] = {"Work", "Friend",  "Bond",     "Training", "Shop",
                                                          "Job",  "Meal",    "Expense",  "End week", "Status"};

// The items of the list panels of layouts 0 to 9, by column of obj\h002_000.bmp: work,
// close, the four friends, the two manners, training, the job, the three meals, the small
// expense, the two status pages, and the end question's stay and leave.
std::vector<std::string> ListItemWords() {
    return {"Work",  "Cancel",  "Felina", "Chakoru", "Milte", "Nerisa",   "Pay 25",   "Free",  "Train",
            "Job",   "Meal 40", "Meal 120", "Meal 300", "Give 5", "Status 1", "Status 2", "Stay", "Leave"};
}

std::vector<std::string> GoodsWords() {
    std::vector<std::string> words;
    for (int e = 0; e < Shop::kEntryCount; ++e) words.push_back("Item " + std::to_string(e));
    return words;
}

}  // namespace

void WriteMansionMenuData(CDemoWriter& out) {
    // ---- the menu ----
    for (int i = 0; i < Menu::kButtonCount; ++i) {
        out.Sheet(kit::MakeControls(Menu::ButtonPicture(i), 200, 200, 1, 5, {kButtonWords[i]}));
    }
    out.Sheet(kit::MakeSheet(Menu::kCards, 7 * 520, 140, 7, 1));
    out.Sheet(kit::MakeSheet(Menu::kEmblems, 14 * 24, 24, 14, 1));
    out.Sheet(kit::MakeSheet(Menu::kLabel, 40, 20, 1, 1));
    out.Sheet(kit::MakeSheet(Menu::kLevels, 6 * 24, 20, 6, 1));
    out.Sheet(kit::MakeSheet(Menu::kStages, 8 * 32, 20, 8, 1));
    // The list panels of layouts 0 to 9: a background each and the items' sheet (18
    // columns of five looks).  Each background holds the items and the BACK its layout
    // places on it: the friends' and the bond's BACK (layouts 1 and 3) stand 256 below
    // their panels' tops, so those two are taller.
    for (int n = 16; n <= 25; ++n) {
        const int32_t height = n == 17 || n == 19 ? 296 : 248;
        out.Sheet(kit::MakeSheet("obj\\h001_0" + std::to_string(n) + ".bmp", 376, height, 1, 1));
    }
    out.Sheet(kit::MakeControls("obj\\h002_000.bmp", 18 * 160, 5 * 32, 18, 5, ListItemWords()));
    out.Text(Menu::kHelpFile, MenuHelp());

    // ---- the shop ----
    out.StageSheet(kit::MakeSheet(Shop::kBackground, 800, 600, 4, 3));
    out.StageSheet(kit::MakeControls(Shop::kKeeper, 320, 480, 2, 3, {"Rosana"}));
    out.Sheet(kit::MakeSheet(Shop::kTopBoard, 360, 48, 1, 1));
    out.Sheet(kit::MakeSheet(Shop::kTopPicture, 400, 80, 10, 2));
    out.Sheet(kit::MakeControls(Shop::kPrevButton, 96, 160, 1, 5, {"Prev"}));
    out.Sheet(kit::MakeControls(Shop::kNextButton, 96, 160, 1, 5, {"Next"}));
    out.Sheet(kit::MakeControls(Shop::kGoods, Shop::kEntryCount * 104, 5 * 36, Shop::kEntryCount, 5, GoodsWords()));
    // The purchase question (button panel type 7): its panel and its two buttons.
    out.Sheet(kit::MakeControls("obj\\s000_005.bmp", 352, 216, 1, 1, {"Buy this?"}));
    out.Sheet(kit::MakeControls("obj\\s000_006.bmp", 512, 160, 2, 5, {"Buy", "Cancel"}));
    out.Sound(Shop::kGreetingVoice, 330, 400);
    out.Sound(Shop::kThanksVoice, 332, 300);
    out.Sound(Shop::kFarewellVoice, 333, 400);
    out.Text(Shop::kHelpFile, ShopHelp());
}

}  // namespace demo
