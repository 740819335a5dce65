// The home menu (in-game mode 17): the menu frame and its seven button sheets, the
// information pictures with their digit, mark and face sheets, the home list panels
// (layouts 10 to 21), the household's background by time of day and the help lines.
#include <cstdio>
#include <string>
#include <vector>

#include "game/raising/home/HomeHelpLines.h"
#include "game/raising/home/HomeScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

// The seven buttons, in the menu's order.
constexpr const char* kButtonWords[CHomeScene::kButtonCount] = {"Housework", "Outing", "Rest", "Room play",
                                                                "Nursing",   "Data",   "End"};

// The items of the home list panels by column of obj\m001_000.bmp: housework, the outing
// categories and destinations, room plays, rest, nursing, the status pages and the end
// question's leave and stay.  Column 1 serves three panels.
std::vector<std::string> ListItemWords() {
    return {"Wash",   "Together", "Walk",     "Town",  "Trip",   "Play",     "River...", "Hill...", "Park",  "Field",
            "Pond",   "Market",   "Bakery",   "Library", "Temple", "Sea",    "Lake",     "Forest",  "Mountain",
            "Nap",    "Read",     "Draw",     "Music", "Games",  "Nurse",    "Status 1", "Status 2", "Leave", "Stay"};
}

// The help lines, by the list entries they are shown for: the housework kinds (0 to 2),
// the rests (3 to 5; the list has two), the room plays (6 to 11), nursing (12), the
// outing destinations (13 to 24; the river's and the hill's open a list of their own)
// and those two lists (25 to 28).
std::vector<std::string> HelpLines() {
    return {"ピコネ達と一緒に洗濯をします。",
            "ピコネ達と一緒に家の掃除をします。",
            "ピコネ達と一緒に繕い物をします。",
            "ピコネがお昼寝をします。",
            "みんなでのんびり休みます。",
            "しばらく休みます。",
            "ピコネの部屋で遊びます。",
            "みんなで本を読みます。",
            "みんなで絵を描きます。",
            "みんなで歌を歌います。",
            "ピコネの部屋でみんなと過ごします。",
            "みんなでゲームをして遊びます。",
            "具合の悪いピコネを看病します。",
            "野原に出かけます。",
            "公園に出かけます。",
            "畑に出かけます。",
            "池に出かけます。",
            "市場に出かけます。",
            "パン屋に出かけます。",
            "図書館に出かけます。",
            "神殿に出かけます。",
            "海に出かけます。",
            "湖に出かけます。",
            "森に出かけます。",
            "山に出かけます。",
            "川で釣りをします。",
            "川で水遊びをします。",
            "丘でピクニックをします。",
            "丘で花を摘みます。"};
}

}  // namespace

void WriteHomeData(CDemoWriter& out) {
    // The frame drawn at (0, 152) under the buttons, open in the middle so that the
    // household shows through; buttons of 152 × 40 looks.
    out.Sheet(FrameSheet(CHomeScene::kFramePicture, 800, 296, 4, 2, 6));
    for (int i = 0; i < CHomeScene::kButtonCount; ++i) {
        out.Sheet(kit::MakeControls(CHomeScene::kButtonPictures[i], 152, 5 * 40, 1, 5, {kButtonWords[i]}));
    }
    // The information pictures span x 280 to 800; their numbers use 12 × 16 digits, the
    // places being 15 pixels apart with the separator 13 pixels after the cost's ones.
    out.Sheet(kit::MakeControls(CHomeScene::kSatietyPicture, 520, 150, 4, 1, {"Satiety, growth"}));
    out.Sheet(kit::MakeControls(CHomeScene::kActionPicture, 520, 120, 4, 1, {"Times done, cost"}));
    out.Sheet(kit::MakeSheet(CHomeScene::kPercentMark, 16, 16, 1, 1));
    out.Sheet(kit::MakeSheet(CHomeScene::kFaceSheet, CHomeScene::kFaceCells * 40, 40, CHomeScene::kFaceCells, 1));
    // The digit and mark sheets are shared with the mansion menu (SharedData.cpp).
    // The home list panels: backgrounds, item sheets of 96 × 32 looks (5 rows).  Each
    // background holds the items and the BACK of every layout that shows it: the
    // outing destinations' (m000_014, BACK to x 656 and y 408), the room plays'
    // (m000_016, six items and BACK to y 400) and the nursing's (m000_017, BACK to x 672)
    // reach further than the others.  None covers the menu button that opened it: the
    // room plays' list, drawn from x 72, ends at x 376, before ROOM PLAY at x 384.
    for (int n = 12; n <= 20; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "obj\\m000_%03d.bmp", n);
        const int32_t width = n == 14 || n == 17 ? 336 : n == 16 ? 304 : 320;
        const int32_t height = n == 14 ? 296 : n == 16 ? 328 : 240;
        out.Sheet(kit::MakeSheet(name, width, height, 2, 2));
    }
    out.Sheet(kit::MakeControls("obj\\m001_000.bmp", 29 * 96, 5 * 32, 29, 5, ListItemWords()));
    // The second sheet (the third housework and the first outing destination) and the
    // two sub-choices of the first outing category.
    out.Sheet(kit::MakeControls("obj\\m001_001.bmp", 2 * 96, 5 * 32, 2, 5, {"Sew", "Meadow"}));
    out.Sheet(kit::MakeControls("obj\\m001_002.bmp", 2 * 96, 5 * 32, 2, 5, {"Fish", "Swim"}));
    out.Sheet(kit::MakeControls("obj\\m001_003.bmp", 2 * 96, 5 * 32, 2, 5, {"Picnic", "Flowers"}));
    // The household by morning, evening and night.
    for (const char* name : {"bg\\bg13m.bmp", "bg\\bg13e.bmp", "bg\\bg13n.bmp"}) {
        out.StageSheet(kit::MakeSheet(name, 800, 600, 4, 3));
    }
    out.Text(CHomeHelpLines::kFile, HelpLines());
}

}  // namespace demo
