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
// empty line would move every later help up by one.  Lines 34 to 37 get the friend's
// name (34 and 35: name, gain, name, need; 36 and 37: the name alone).
std::vector<std::string> MenuHelp() {
    std::vector<std::string> lines = {
        "屋敷で働きます。次のランクまで、評価があと*d必要です。\\体力を8使います。",
        "友達と一緒に過ごします。\\体力を6使います。",
        "友達のために何かをしてあげます。\\体力を6使います。",
        "修行をします。次のレベルまで、あと*dポイントです。\\体力を5使います。",
        "ロザナのお店で買い物をします。",
        "アルバイトをします。次の昇給まで、あと*d回です。\\体力を10使います。",
        "食事をします。",
        "ピコネにささやかな贈り物をします。\\体力を2使います。",
        "屋敷での一週間を終えます。",
        "ステータスを確認します。",
    };
    for (const SFriendName& f : kFriends) lines.push_back(std::string(f.name) + "と過ごします。次のレベルまで、あと*dです。");
    lines.push_back("軽い食事です。40で体力が10回復します。");
    lines.push_back("しっかりした食事です。120で体力が20回復します。");
    lines.push_back("ごちそうです。300で体力が30回復します。");
    lines.push_back("屋敷で働きます。ランクはもう最高です。\\体力を8使います。");
    for (int n = 18; n < 22; ++n) lines.push_back(" ");
    lines.push_back("アルバイトをします。お給料はもう最高です。\\体力を10使います。");
    for (int n = 23; n < 27; ++n) lines.push_back(" ");
    for (const SFriendName& f : kFriends) lines.push_back(std::string(f.name) + "との交流は、もう最高のレベルです。");
    for (int n = 31; n < 34; ++n) lines.push_back(" ");
    lines.push_back("25払って*cと過ごします。交流+*d。\\*cの次のレベルまで、あと*dです。");
    lines.push_back("お金を払わずに*cと過ごします。交流+*d。\\*cの次のレベルまで、あと*dです。");
    lines.push_back("25払って*cと過ごします。\\交流はもう最高のレベルです。");
    lines.push_back("お金を払わずに*cと過ごします。\\交流はもう最高のレベルです。");
    return lines;
}

// The goods of the shop, by entry: their names in the help lines and the words of their
// pictures.
struct SGoods {
    const char* name;  // Shift-JIS
    const char* word;  // ASCII
};
constexpr SGoods kGoods[] = {
    {"リボン", "Ribbon"},         {"絵本", "Picture book"},          {"クレヨン", "Crayons"},
    {"お人形", "Doll"},           {"麦わら帽子", "Straw hat"},       {"エプロン", "Apron"},
    {"傘", "Umbrella"},           {"長靴", "Boots"},                 {"マフラー", "Scarf"},
    {"手袋", "Mittens"},          {"縄跳び", "Jump rope"},           {"ボール", "Ball"},
    {"凧", "Kite"},               {"笛", "Flute"},                   {"ハーモニカ", "Harmonica"},
    {"スケッチブック", "Sketchbook"}, {"絵の具", "Paints"},          {"物語の本", "Storybook"},
    {"辞書", "Dictionary"},       {"地球儀", "Globe"},               {"裁縫セット", "Sewing kit"},
    {"ほうき", "Broom"},          {"バケツ", "Bucket"},              {"じょうろ", "Watering can"},
    {"花の種", "Seeds"},          {"植木鉢", "Flower pot"},          {"ティーセット", "Tea set"},
    {"料理の本", "Cookbook"},     {"ランタン", "Lantern"},           {"毛布", "Blanket"},
    {"枕", "Pillow"},             {"オルゴール", "Music box"},       {"くし", "Hair comb"},
    {"手鏡", "Mirror"}};
static_assert(std::size(kGoods) == Shop::kEntryCount);

std::vector<std::string> ShopHelp() {
    std::vector<std::string> lines;
    for (int e = 0; e < Shop::kEntryCount; ++e) {
        lines.push_back(std::string(kGoods[e].name) + "です。お値段は" + std::to_string(Shop::Price(e)) + "です。");
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
    std::vector<std::string> words = {"Work", "Cancel"};
    for (const SFriendName& f : kFriends) words.push_back(f.word);
    for (const char* w : {"Pay 25", "Free", "Train", "Job", "Meal 40", "Meal 120", "Meal 300", "Give 5", "Status 1",
                          "Status 2", "Stay", "Leave"}) {
        words.push_back(w);
    }
    return words;
}

std::vector<std::string> GoodsWords() {
    std::vector<std::string> words;
    for (const SGoods& g : kGoods) words.push_back(g.word);
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
