// The events of the screens and actions around the month's own events: the work
// report's occasions (1, 0) to (1, 5), the seasonal events (2, 0) to (2, 15), the mansion
// side's actions (work 6, time with a friend 7, bond 11, training 15, the job 17, meals
// 18, the small expense 21) and the home side's (housework 26, outings 28, room play 41,
// rest 46, nursing 48): one row and one script for every sub-occasion an action can
// start, so that every choice of the menus plays a scene.  The action scripts end with
// the month-end command, which pages the report of what the action changed.  Also the
// shop's introduction, a script of its own outside the table, and the pictures these
// scripts show.
#include <string>
#include <vector>

#include "game/raising/mansionmenu/ShopScene.h"
#include "tools/demo/DemoWriter.h"
#include "tools/demo/EventScripts.h"
#include "tools/script/AdvScriptBuilder.h"

namespace demo {

namespace {

constexpr const char* kMansion = "bg\\ev_mansion.bmp";
constexpr const char* kTown = "bg\\ev_town.bmp";
constexpr const char* kRoom = "bg\\ev_room.bmp";
constexpr const char* kGarden = "bg\\ev_garden.bmp";
constexpr const char* kHouse = "bg\\ev_house1.bmp";

// The four friends of both sides, by their number in the status record.
constexpr const char* kFriendFigures[4] = {"chara\\fr_00.bmp", "chara\\fr_01.bmp", "chara\\fr_02.bmp",
                                           "chara\\fr_03.bmp"};

struct SAction {
    int id, kind, sub;
    const char* label;
    bool once;
    SScene scene;
    std::string setting = {};  // one setting term of the row
};

SScene Narrated(const char* background, const std::string& figure, const std::string& text, bool report) {
    SScene s;
    s.background = background;
    s.figure = figure;
    s.lines = {{"", text, kNoVoice}};
    s.endMonth = report;
    return s;
}

SScene Spoken(const char* background, int speaker, const std::string& text, bool report) {
    SScene s = Narrated(background, kFriendFigures[speaker], text, report);
    s.lines = {{kFriends[speaker].name, text, kNoVoice}};
    return s;
}

std::vector<SAction> Actions() {
    std::vector<SAction> a;
    // The work report: before the report, after it, before and after a new rank (up or
    // down), and the closing words that the first month's turn plays alone; over the
    // report's own picture.
    const char* report[6] = {"今月の仕事ぶりを振り返ろう。", "続いて、今月の評価だ。", "ランクが変わるようだ……",
                             "ランクが上がった！", "さあ、今月もがんばろう。", "ランクが下がってしまった……"};
    for (int sub = 0; sub < 6; ++sub) a.push_back({121 + sub, 1, sub, "report", false, Narrated("", "", report[sub], false)});
    // The seasonal events: the seasonal screen announces kind k with (2, k - 1), whose
    // row sets the month's event (107, 0) to k; then the screen's second event and the
    // seasonal mode's event of the month, both (2, k + 7).
    const char* announced[8] = {"今年は豊作だ！", "今年は不作のようだ……", "町で疫病がはやっている。",
                                "ピコネが風邪をひいてしまった。", "盗賊ズルタが現れた！", "貧乏神がやってきた……",
                                "添い寝神がやってきた。", "奇天烈昆布丸がやってきた！"};
    for (int k = 1; k <= 8; ++k) {
        a.push_back({140 + k, 2, k - 1, "season", false, Narrated(kHouse, "", announced[k - 1], false),
                     "[107_0]=" + std::to_string(k)});
    }
    const char* season[7] = {"みんなで畑を手伝った。", "薬草を集めて回った。", "ピコネの看病をした。",
                             "盗賊ズルタを追い払った！", "貧乏神が帰っていった。", "添い寝神と一緒に眠った。",
                             "奇天烈昆布丸と遊んだ。"};
    for (int c = 2; c <= 8; ++c) a.push_back({129 + c, 2, c + 7, "season", false, Narrated(kHouse, "", season[c - 2], false)});

    // Mansion work: alone (0), with friend 0 to 2 (1 to 3), and once a game the first
    // day with the master (4), which is chosen while it has not played.
    a.push_back({201, 6, 0, "work", false, Narrated(kMansion, "", "屋敷の仕事をこなした。", true)});
    for (int f = 0; f < 3; ++f) {
        a.push_back({202 + f, 6, f + 1, "work", false, Spoken(kMansion, f, "「お仕事、手伝いますね」", true)});
    }
    a.push_back({205, 6, 4, "first work", true, Narrated(kMansion, "", "初めての仕事。先輩が丁寧に教えてくれた。", true)});
    // Time with a friend: sub friend + 1, or friend + 5 without paying.
    for (int manner = 0; manner < 2; ++manner) {
        for (int f = 0; f < 4; ++f) {
            const char* text = manner == 0 ? "「お茶、ごちそうさま」" : "「少しおしゃべりしましょう」";
            a.push_back({211 + 4 * manner + f, 7, 1 + f + 4 * manner, "friend", false, Spoken(kTown, f, text, true)});
        }
    }
    for (int f = 0; f < 4; ++f) {
        a.push_back({221 + f, 11, f + 1, "bond", false, Spoken(kMansion, f, "「手伝ってくれてありがとう」", true)});
    }
    // Training: alone (0), with friend 0 to 3 (1 to 4), and once a game with the master (5).
    a.push_back({231, 15, 0, "training", false, Narrated(kMansion, "", "一人で訓練に励んだ。", true)});
    for (int f = 0; f < 4; ++f) {
        a.push_back({232 + f, 15, f + 1, "training", false, Spoken(kMansion, f, "「一緒に練習しましょう」", true)});
    }
    a.push_back({236, 15, 5, "first training", true, Narrated(kMansion, "", "師匠から特別な訓練を受けた。", true)});
    a.push_back({241, 17, 0, "job", false, Narrated(kTown, "", "町でアルバイトをした。", true)});
    a.push_back({242, 17, 1, "job raise", false, Narrated(kTown, "", "次からバイト代が上がるそうだ！", true)});
    // Meals: the first meal of a game, then meal 0 to 2 as sub 1 to 3.
    a.push_back({251, 18, 0, "first meal", true, Narrated(kMansion, "", "屋敷の食堂で初めての食事。", true)});
    const char* meals[3] = {"軽い食事をとった。", "しっかり食事をとった。", "豪華な食事を楽しんだ。"};
    for (int m = 0; m < 3; ++m) a.push_back({252 + m, 18, m + 1, "meal", false, Narrated(kMansion, "", meals[m], true)});
    a.push_back({261, 21, 0, "small expense", false, Narrated(kHouse, "", "ピコネに小さな贈り物をした。", true)});

    // The home side: housework 0 to 2, outings to destinations 0 to 17 (1 and 2 exist,
    // though no menu item chooses them), room play 0 to 5, rest 0 and 1, nursing.
    const char* housework[3] = {"ピコネ達と洗濯をした。", "みんなで家の仕事を片付けた。", "ピコネ達と繕い物をした。"};
    for (int k = 0; k < 3; ++k) a.push_back({301 + k, 26, k, "housework", false, Narrated(kHouse, "", housework[k], true)});
    const char* places[18] = {"野原", "川", "丘", "公園", "畑", "池", "市場", "パン屋", "図書館", "神殿",
                              "海", "湖", "森", "山", "川へ釣り", "川へ水遊び", "丘へピクニック", "丘へ花摘み"};
    for (int d = 0; d < 18; ++d) {
        const std::string text = std::string("ピコネ達と") + places[d] + "に出かけた。";
        a.push_back({311 + d, 28, d, "outing", false, Narrated(d < 6 || d > 13 ? kGarden : kTown, "", text, true)});
    }
    const char* plays[6] = {"部屋で遊んだ。", "みんなで本を読んだ。", "みんなで絵を描いた。",
                            "みんなで歌を歌った。", "みんなで遊んだ。", "ゲームをして遊んだ。"};
    for (int p = 0; p < 6; ++p) a.push_back({331 + p, 41, p, "room play", false, Narrated(kRoom, "", plays[p], true)});
    a.push_back({341, 46, 0, "rest", false, Narrated(kRoom, "", "ピコネは昼寝をした。", true)});
    a.push_back({342, 46, 1, "rest", false, Narrated(kRoom, "", "みんなでのんびり過ごした。", true)});
    a.push_back({351, 48, 0, "nursing", false, Narrated(kRoom, "", "ピコネを一晩中看病した。", true)});
    return a;
}

}  // namespace

std::vector<SRow> ActionEventRows() {
    std::vector<SRow> rows;
    for (const SAction& a : Actions()) {
        rows.push_back({a.label, a.id, a.kind, a.sub, 0, "ev_" + std::to_string(a.id), a.once ? "1" : "", 1, "",
                        a.setting, "", "", 0});
    }
    return rows;
}

std::vector<SEventScene> ActionEventScenes() {
    std::vector<SEventScene> scenes;
    for (SAction& a : Actions()) scenes.push_back({a.id, std::move(a.scene)});
    return scenes;
}

void WriteActionEventData(CDemoWriter& out) {
    for (const char* background : {kMansion, kTown}) out.StageSheet(kit::MakeSheet(background, 800, 600, 4, 3));
    for (int f = 0; f < 4; ++f) out.StageSheet(kit::MakeControls(kFriendFigures[f], 320, 520, 1, 2, {kFriends[f].word}));
    // The shop's introduction, on the first visit of a game.
    SScene intro;
    intro.background = CShopScene::kBackground;
    intro.figure = CShopScene::kKeeper;
    intro.lines = {{"ロザナ", "「おや、新しい顔だね。ここはロザナの店さ」", kNoVoice},
                   {"ロザナ", "「お金があれば、何でも売ってあげるよ」", kNoVoice}};
    CAdvScriptBuilder script;
    BuildScript(script, intro);
    out.Script(CShopScene::kIntroScript, script);
}

}  // namespace demo
