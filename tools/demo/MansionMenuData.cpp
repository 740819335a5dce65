// The mansion menu and the shop: the backgrounds, the buttons, the side cards and their
// figure sheets, the list panels of the menu, the shop's boards and goods, ロザナ's
// voices and the two help tables.  Positions and grids: docs/mansion-menu.md.
#include <iterator>
#include <string>
#include <vector>

#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/mansionmenu/ShopScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

using Menu = CMansionMenuScene;
using Shop = CShopScene;

// The menu's help lines 0 to 41 ("*d" a number, "*c" a name, "\" a line break), each
// on its own line and without commas: the reader ends a help at a comma.  Lines 18 to
// 21, 23 to 26 and 31 to 33 are no help the menu shows; they hold a blank, since an
// empty line would move every later help up by one.
std::vector<std::string> MenuHelp() {
    std::vector<std::string> lines = {
        "Work at the mansion: *d more evaluation for the next rank.\\Stamina 8.",
        "Spend time with a friend.\\Stamina 6.",
        "Do something for a friend.\\Stamina 6.",
        "Training: *d more points for the next level.\\Stamina 5.",
        "Rosana's shop.",
        "A part-time job: *d more jobs for the next pay.\\Stamina 10.",
        "A meal.",
        "A small present for the girl.\\Stamina 2.",
        "End the week at the mansion.",
        "Look at the status pages.",
    };
    for (const char* name : kFriendWords) lines.push_back(std::string(name) + ": *d more for the next level.");
    lines.push_back("A light meal: 40 for 10 stamina.");
    lines.push_back("A good meal: 120 for 20 stamina.");
    lines.push_back("A feast: 300 for 30 stamina.");
    lines.push_back("Work at the mansion: you have the highest rank.\\Stamina 8.");
    for (int n = 18; n < 22; ++n) lines.push_back(" ");
    lines.push_back("A part-time job: you have the highest pay.\\Stamina 10.");
    for (int n = 23; n < 27; ++n) lines.push_back(" ");
    for (const char* name : kFriendWords) lines.push_back(std::string(name) + " is at the highest level.");
    for (int n = 31; n < 34; ++n) lines.push_back(" ");
    lines.push_back("Time with *c paying 25: +*d.\\*c needs *d more for the next level.");
    lines.push_back("Time with *c for free: +*d.\\*c needs *d more for the next level.");
    lines.push_back("Time with *c paying 25: she is at the highest level.");
    lines.push_back("Time with *c for free: she is at the highest level.");
    return lines;
}

// The goods of the shop, by entry.
constexpr const char* kGoods[] = {"Ribbon",    "Picture book", "Crayons",  "Doll",       "Straw hat",  "Apron",
                                  "Umbrella",  "Boots",        "Scarf",    "Mittens",    "Jump rope",  "Ball",
                                  "Kite",      "Flute",        "Harmonica", "Sketchbook", "Paints",     "Storybook",
                                  "Dictionary", "Globe",       "Sewing kit", "Broom",     "Bucket",     "Watering can",
                                  "Seeds",     "Flower pot",   "Tea set",  "Cookbook",   "Lantern",    "Blanket",
                                  "Pillow",    "Music box",    "Hair comb", "Mirror"};
static_assert(std::size(kGoods) == Shop::kEntryCount);

std::vector<std::string> ShopHelp() {
    std::vector<std::string> lines;
    for (int e = 0; e < Shop::kEntryCount; ++e) {
        lines.push_back(std::string(kGoods[e]) + ": " + std::to_string(Shop::Price(e)) + ".");
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

std::vector<std::string> GoodsWords() { return {std::begin(kGoods), std::end(kGoods)}; }

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
