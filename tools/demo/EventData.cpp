// The month's events: cfg\event.csv with a row for every occasion a first month plays
// (and the "more", "jump" and "select" follow-ups), one compiled script per row, the
// backgrounds, figures, music and voices those scripts use, the stage's redirected
// voices and house pictures, and the hint tables with their pictures and voices.
//
// Event ids 101 to 108 are the play view's first page (ViewerData.cpp); the scripts show
// the picture viewer's first pictures, so one month unlocks some of both.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/demo/DemoWriter.h"
#include "tools/script/AdvScriptBuilder.h"

namespace demo {

namespace {

constexpr const char* kNoVoice = "voice\\.ogg";

std::string Voice(const char* prefix, int n) {
    char text[48];
    std::snprintf(text, sizeof text, "voice\\%s_%04d.ogg", prefix, n);
    return text;
}

std::string Bgm(int n) {
    char text[32];
    std::snprintf(text, sizeof text, "bgm\\bgm_%03d.ogg", n);
    return text;
}

// A spoken line of the message window or of a balloon.
struct SLine {
    const char* name;
    const char* text;
    std::string voice;  // kNoVoice for none
};

// What one event's script shows: music, a background, a figure, an overlay, lines in
// the window, then balloons; a month-end event ends the month after its lines.
struct SScene {
    int music = 0;  // bgm number, 0 keeps what plays
    const char* background = nullptr;
    const char* figure = nullptr;  // centre figure
    const char* overlay = nullptr;  // on layer 10000 at (100, 200)
    std::vector<SLine> lines;
    std::vector<SLine> balloons;
    const char* effect = nullptr;  // a redirected voice played as an effect
    bool endMonth = false;
};

void BuildScript(CAdvScriptBuilder& s, const SScene& scene) {
    if (scene.music != 0) s.Add(30, {0, 80, 0, 500}, {Bgm(scene.music)});
    if (scene.background != nullptr) s.Add(11, {}, {scene.background});
    if (scene.figure != nullptr) s.Add(13, {0, 0, 0, 0}, {scene.figure});
    if (scene.overlay != nullptr) s.Add(15, {0, 100, 200, 10000, 1, 0, 0}, {scene.overlay});
    s.Add(9, {1, 500, 0}, {""});
    if (scene.effect != nullptr) s.Add(35, {0, 100, 0, 0, 1}, {scene.effect});
    if (!scene.lines.empty()) {
        s.Add(3);
        for (const SLine& l : scene.lines) s.Add(5, {100, 0}, {l.name, l.text, l.voice});
        // The month report pages through the window, so the month ends while it is open.
        if (scene.endMonth) s.Add(70);
        s.Add(4);
    }
    int balloon = 0;
    for (const SLine& l : scene.balloons) {
        // Balloons left, centre-left in turn: place 0 at (x + 180, y + 148).
        s.Add(6, {100, 0, 1, 300, 1, 300, 0, 0, balloon * 200 - 120, balloon * 40, balloon % 9, balloon, 0},
              {l.name, l.text, l.voice});
        ++balloon;
    }
    if (balloon > 0) s.Add(8);
    if (scene.figure != nullptr) s.Add(14, {0});
    if (scene.overlay != nullptr) s.Add(17, {10000, 0, 0, 0});
    s.Add(2, {300});
}

// One row of the table; `script` is the file under scr\demo\ (empty for a continuation
// line, which adds a condition, a setting or a choice to the row above).
struct SRow {
    const char* label;
    int id, kind, sub, group;
    const char* script;
    const char* once;
    int priority;
    const char* condition;
    const char* setting;
    const char* next;
    const char* picture;
    int target;
};

const SRow kRows[] = {
    // A new game: the prologue and its second half.
    {"prologue", 101, 0, 0, 0, "ev_101", "1", 1, "", "[0_50]=1", "", "", 0},
    {"", 0, 0, 0, 0, "", "", 0, "", "[100_3]+=2", "", "", 0},
    // Money to send food with, so that the first month does not end in hunger.
    {"", 0, 0, 0, 0, "", "", 0, "", "[104_0]+=50000", "", "", 0},
    // Content at the start: below 20 she would be discontented before the first food
    // allowance, and ask half as much food again.
    {"", 0, 0, 0, 0, "", "", 0, "", "[100_2]=50", "", "", 0},
    {"prologue 2", 102, 0, 1, 0, "ev_102", "1", 1, "", "", "", "", 0},
    // The month's start: a first-time greeting that asks for the occasion again.
    {"month start", 103, 60, 0, 0, "ev_103", "1", 1, "[0_50]=1", "", "more", "", 0},
    {"month start again", 111, 60, 0, 0, "ev_111", "", 2, "", "", "", "", 0},
    // After the food allowance: a question with two answers.
    {"question", 104, 3, 0, 0, "ev_104", "", 1, "", "", "select", "sel_104", 105},
    {"", 0, 0, 0, 0, "", "", 0, "", "", "", "sel_104", 106},
    {"answer 1", 105, 90, 0, 0, "ev_105", "", 1, "", "[100_4]+=3", "", "", 0},
    {"answer 2", 106, 90, 1, 0, "ev_106", "", 1, "", "[100_5]+=3", "", "", 0},
    // The weekly seasonal event: once a game a jump, then a plain one.
    {"season", 107, 4, 0, 0, "ev_107", "1", 1, "", "", "jump", "", 109},
    {"season 2", 108, 4, 0, 0, "ev_108", "", 2, "", "[100_6]+=1", "", "", 0},
    {"season jumped", 109, 91, 0, 0, "ev_109", "", 1, "", "", "", "", 0},
    // Weeks 2 and 3: the weekly event of (5, 0).
    {"week", 110, 5, 0, 0, "ev_110", "", 1, "[0_50]!=0", "", "", "", 0},
    // Every week: the balloons.
    {"talk", 112, 22, 0, 0, "ev_112", "", 1, "", "", "", "", 0},
    {"never", 120, 22, 0, 0, "ev_120", "", 1, "false", "", "", "", 0},
    // Week 4: a friend, the single events and the month end.
    {"friend", 113, 24, 5, 0, "ev_113", "", 1, "", "", "", "", 0},
    {"single", 114, 25, 0, 0, "ev_114", "", 1, "", "", "", "", 0},
    // The occasion (53, 0) closes every home action and the month: a home action done
    // since the last close ((126, 22) counts them, (0, 51) remembers the count) gets a
    // plain closing scene, so the month's report comes once, at the month's end.
    {"action closed", 119, 53, 0, 0, "ev_119", "", 1, "[126_22]!=[0_51]", "[0_51]=[126_22]", "", "", 0},
    {"month end", 115, 53, 0, 0, "ev_115", "", 2, "", "[100_3]+=1", "", "", 0},
    {"single 2", 116, 49, 0, 0, "ev_116", "", 1, "", "", "", "", 0},
    {"friend 2", 117, 50, 5, 0, "ev_117", "", 1, "", "", "", "", 0},
    // The end of play when the girl goes hungry.
    {"hunger", 118, 52, 0, 0, "ev_118", "", 1, "", "", "", "", 0},
};

// The scripts, by event id.
struct SEventScene {
    int id;
    SScene scene;
};

std::vector<SEventScene> Scenes() {
    return {
        {101, {1, "cg\\ev01.bmp", nullptr, "sc\\ev01a.bmp",
               {{"ルクス", "「ここが今日から暮らす家だよ」", Voice("lu", 1001)},
                {"メル", "「よろしくね」", Voice("me", 1001)}}, {}, nullptr, false}},
        {102, {0, "bg\\ev_room.bmp", "chara\\lu_01.bmp", "sc\\ev01b.bmp",
               {{"ルクス", "「まずはひと月、やってみよう」", Voice("lu", 1002)}}, {}, nullptr, false}},
        {103, {3, "bg\\ev_house1.bmp", "chara\\me_01.bmp", nullptr,
               {{"メル", "「四月になったね」", Voice("me", 1003)}}, {}, nullptr, false}},
        {111, {0, "cg\\ev02.bmp", nullptr, nullptr, {{"", "新しい月が始まった。", kNoVoice}}, {}, nullptr, false}},
        {104, {4, "bg\\ev_room.bmp", "chara\\pa_01.bmp", nullptr,
               {{"パル", "「今日は何をしようか？」", Voice("pa", 1004)}}, {}, nullptr, false}},
        {105, {0, "cg\\ev03.bmp", nullptr, nullptr, {{"パル", "「外で遊ぼう！」", Voice("pa", 1005)}}, {}, nullptr, false}},
        {106, {0, "cg\\ev04.bmp", nullptr, nullptr, {{"パル", "「絵を描こう」", Voice("pa", 1006)}}, {}, nullptr, false}},
        {107, {5, "bg\\ev_garden.bmp", "chara\\lu_01.bmp", nullptr,
               {{"ルクス", "「庭の花が咲いたよ」", Voice("lu", 1007)}}, {}, nullptr, false}},
        {108, {5, "cg\\ev05.bmp", nullptr, nullptr, {{"メル", "「いい天気」", Voice("me", 1008)}}, {}, nullptr, false}},
        {109, {0, "cg\\ev06.bmp", nullptr, nullptr, {{"ルクス", "「見て、蝶々！」", Voice("lu", 1009)}}, {},
               nullptr, false}},
        {110, {6, "bg\\ev_house2.bmp", "chara\\me_01.bmp", nullptr,
               {{"メル", "「今週もがんばろう」", Voice("me", 1010)}}, {}, nullptr, false}},
        {112, {7, "bg\\ev_garden.bmp", nullptr, nullptr, {},
               {{"ルクス", "「おはよう」", Voice("lu", 1012)}, {"メル", "「おはよう！」", Voice("me", 1012)}},
               "se\\voice\\lux_0001.ogg", false}},
        {120, {0, "bg\\ev_room.bmp", nullptr, nullptr, {{"", "（流れない）", kNoVoice}}, {}, nullptr, false}},
        {113, {8, "cg\\ev07.bmp", "chara\\pa_01.bmp", nullptr, {{"パル", "「遊びに来たよ」", Voice("pa", 1013)}}, {},
               nullptr, false}},
        {114, {0, "bg\\ev_room.bmp", nullptr, nullptr, {{"ルクス", "「もうすぐ月末だ」", Voice("lu", 1014)}}, {},
               nullptr, false}},
        {115, {9, "cg\\ev08.bmp", "chara\\lu_01.bmp", nullptr,
               {{"ルクス", "「ひと月おつかれさま」", Voice("lu", 1015)}}, {}, nullptr, true}},
        {116, {0, "bg\\ev_house1.bmp", nullptr, nullptr, {{"メル", "「また来月」", Voice("me", 1016)}}, {}, nullptr,
               false}},
        {117, {0, "cg\\ev09.bmp", "chara\\me_01.bmp", nullptr, {{"メル", "「またね」", Voice("me", 1017)}}, {}, nullptr,
               false}},
        {118, {10, "bg\\ev_room.bmp", nullptr, nullptr, {{"", "おなかがすいて動けない……", kNoVoice}}, {}, nullptr,
               false}},
        {119, {0, "bg\\ev_room.bmp", nullptr, nullptr, {{"", "今日はここまで。", kNoVoice}}, {}, nullptr, false}},
    };
}

std::string Field(const char* text) { return text; }

std::vector<std::string> EventTableLines() {
    std::vector<std::string> lines = {
        "// label,id,kind,sub,group,folder,script,once,priority,condition,setting,next,picture,target,class,side,place"};
    for (const SRow& r : kRows) {
        const bool head = r.script[0] != '\0';
        std::string line = Field(r.label) + ",";
        line += head ? std::to_string(r.id) + "," + std::to_string(r.kind) + "," + std::to_string(r.sub) + "," +
                           std::to_string(r.group) + ",demo,"
                     : std::string(",,,,,");
        line += Field(r.script) + "," + r.once + "," + (head ? std::to_string(r.priority) : std::string()) + ",";
        line += Field(r.condition) + "," + r.setting + "," + r.next + "," + r.picture + ",";
        line += r.target != 0 ? std::to_string(r.target) : std::string();
        line += ",,,";
        lines.push_back(line);
    }
    return lines;
}

// Every picture the scripts show, with its small copy for the save thumbnail.
void WritePictures(CDemoWriter& out) {
    for (const char* bg : {"bg\\ev_room.bmp", "bg\\ev_garden.bmp", "bg\\ev_house1.bmp", "bg\\ev_house2.bmp"}) {
        out.Sheet(kit::MakeSheet(bg, 800, 600, 4, 3));
    }
    for (const char* figure : {"chara\\lu_01.bmp", "chara\\me_01.bmp", "chara\\pa_01.bmp"}) {
        out.Sheet(kit::MakeSheet(figure, 320, 520, 1, 2));
    }
    for (const char* small : {"bg\\ev_room.bmp", "bg\\ev_garden.bmp", "bg\\ev_house1.bmp", "bg\\ev_house2.bmp",
                              "cg\\ev01.bmp", "cg\\ev02.bmp", "cg\\ev03.bmp", "cg\\ev04.bmp", "cg\\ev05.bmp",
                              "cg\\ev06.bmp", "cg\\ev07.bmp", "cg\\ev08.bmp", "cg\\ev09.bmp"}) {
        out.Sheet(kit::MakeSheet(std::string("obj\\small\\") + small, 200, 150, 4, 3));
    }
    for (const char* small : {"chara\\lu_01.bmp", "chara\\me_01.bmp", "chara\\pa_01.bmp"}) {
        out.Sheet(kit::MakeSheet(std::string("obj\\small\\") + small, 80, 130, 1, 2));
    }
    for (const char* small : {"sc\\ev01a.bmp", "sc\\ev01b.bmp"}) {
        out.Sheet(kit::MakeSheet(std::string("obj\\small\\") + small, 40, 60, 1, 2));
    }
    // The question's two answers: one column each, five looks of 272 × 36.
    out.Sheet(kit::MakeSheet("obj\\selection\\sel_104.bmp", 544, 180, 2, 5));
}

void WriteSounds(CDemoWriter& out) {
    // The music is the music room's nineteen tunes (MusicRoomData.cpp).
    uint32_t seed = 600;
    for (const SEventScene& e : Scenes()) {
        for (const auto* list : {&e.scene.lines, &e.scene.balloons}) {
            for (const SLine& l : *list) {
                if (l.voice != kNoVoice) out.Sound(l.voice, seed++, 2500);
            }
        }
    }
    // The voices the scripts play as effects but that belong to speakers' switches.
    const char* redirected[] = {"se\\voice\\lux_0001.ogg", "se\\voice\\mex_0001.ogg", "se\\voice\\pax_0001.ogg",
                                "se\\voice\\pax_0002.ogg", "se\\voice\\pyx_0001.ogg"};
    std::vector<std::string> table = {"// voices played as effects, in speaker-switch order 0, 1, 3, 3, 7"};
    for (const char* v : redirected) {
        out.Sound(v, seed++, 900);
        table.push_back(v);
    }
    out.Text("cfg\\stage_voice.txt", table);
    out.Text("cfg\\stage_house.txt", {"// layout, picture", "1, bg\\ev_house1.bmp", "2, bg\\ev_house2.bmp"});
}

// Six tabs of hints: each line a picture, an event, an order key and a voice.
void WriteHints(CDemoWriter& out) {
    const int events[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 112, 113};
    const char* voices[] = {"pa_0036", "cu_0001", "", "cu_0002"};
    out.Sound("hint_voice\\cu_0000.ogg", 700u, 600);
    out.Sound("hint_voice\\cu_0038.ogg", 701u, 600);
    for (int i = 0; i < 4; ++i) {
        if (voices[i][0] != '\0') out.Sound(std::string("hint_voice\\") + voices[i] + ".ogg", 702u + i, 900);
    }
    int picture = 0;
    for (int tab = 1; tab <= 6; ++tab) {
        std::vector<std::string> lines = {"// picture, event, key, voice"};
        for (int k = 0; k < (tab == 1 ? 7 : 2); ++k) {
            char name[16];
            std::snprintf(name, sizeof name, "h100_%03d", picture++);
            const int event = events[(picture - 1) % 12];
            lines.push_back(std::string(name) + "," + std::to_string(event) + "," + std::to_string((k * 5) % 7) + "," +
                            voices[k % 4]);
            out.Sheet(kit::MakeSheet(std::string("obj\\") + name + ".bmp", 320, 72, 4, 1));
        }
        out.Text("cfg\\hint" + std::to_string(tab) + ".txt", lines);
    }
}

}  // namespace

void WriteEventData(CDemoWriter& out) {
    WritePictures(out);
    WriteSounds(out);
    WriteHints(out);
    for (const SEventScene& e : Scenes()) {
        CAdvScriptBuilder script;
        BuildScript(script, e.scene);
        out.Script("scr\\demo\\ev_" + std::to_string(e.id) + ".txt", script);
    }
    out.Text("cfg\\event.csv", EventTableLines());
}

}  // namespace demo
