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
#include "tools/demo/EventScripts.h"
#include "tools/script/AdvScriptBuilder.h"

namespace demo {

namespace {

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
std::vector<SEventScene> Scenes() {
    return {
        {101, {1, "cg\\ev01.bmp", "", "sc\\ev01a.bmp",
               {{"ルクス", "「ここが今日から暮らす家だよ」", Voice("lu", 1001)},
                {"メル", "「よろしくね」", Voice("me", 1001)}}, {}, "", false}},
        {102, {0, "bg\\ev_room.bmp", "chara\\lu_01.bmp", "sc\\ev01b.bmp",
               {{"ルクス", "「まずはひと月、やってみよう」", Voice("lu", 1002)}}, {}, "", false}},
        {103, {3, "bg\\ev_house1.bmp", "chara\\me_01.bmp", "",
               {{"メル", "「四月になったね」", Voice("me", 1003)}}, {}, "", false}},
        // The mansion's music, which the mansion menu plays by itself, is the month's
        // second tune: an event plays it too, so that the music room lists the month's
        // tunes without a gap.
        {111, {2, "cg\\ev02.bmp", "", "", {{"", "新しい月が始まった。", kNoVoice}}, {}, "", false}},
        {104, {4, "bg\\ev_room.bmp", "chara\\pa_01.bmp", "",
               {{"パル", "「今日は何をしようか？」", Voice("pa", 1004)}}, {}, "", false}},
        {105, {0, "cg\\ev03.bmp", "", "", {{"パル", "「外で遊ぼう！」", Voice("pa", 1005)}}, {}, "", false}},
        {106, {0, "cg\\ev04.bmp", "", "", {{"パル", "「絵を描こう」", Voice("pa", 1006)}}, {}, "", false}},
        {107, {5, "bg\\ev_garden.bmp", "chara\\lu_01.bmp", "",
               {{"ルクス", "「庭の花が咲いたよ」", Voice("lu", 1007)}}, {}, "", false}},
        {108, {5, "cg\\ev05.bmp", "", "", {{"メル", "「いい天気」", Voice("me", 1008)}}, {}, "", false}},
        {109, {0, "cg\\ev06.bmp", "", "", {{"ルクス", "「見て、蝶々！」", Voice("lu", 1009)}}, {},
               "", false}},
        {110, {6, "bg\\ev_house2.bmp", "chara\\me_01.bmp", "",
               {{"メル", "「今週もがんばろう」", Voice("me", 1010)}}, {}, "", false}},
        {112, {7, "bg\\ev_garden.bmp", "", "", {},
               {{"ルクス", "「おはよう」", Voice("lu", 1012)}, {"メル", "「おはよう！」", Voice("me", 1012)}},
               "se\\voice\\lux_0001.ogg", false}},
        {120, {0, "bg\\ev_room.bmp", "", "", {{"", "（流れない）", kNoVoice}}, {}, "", false}},
        {113, {8, "cg\\ev07.bmp", "chara\\pa_01.bmp", "", {{"パル", "「遊びに来たよ」", Voice("pa", 1013)}}, {},
               "", false}},
        {114, {0, "bg\\ev_room.bmp", "", "", {{"ルクス", "「もうすぐ月末だ」", Voice("lu", 1014)}}, {},
               "", false}},
        {115, {9, "cg\\ev08.bmp", "chara\\lu_01.bmp", "",
               {{"ルクス", "「ひと月おつかれさま」", Voice("lu", 1015)}}, {}, "", true}},
        {116, {0, "bg\\ev_house1.bmp", "", "", {{"メル", "「また来月」", Voice("me", 1016)}}, {}, "",
               false}},
        {117, {0, "cg\\ev09.bmp", "chara\\me_01.bmp", "", {{"メル", "「またね」", Voice("me", 1017)}}, {}, "",
               false}},
        {118, {10, "bg\\ev_room.bmp", "", "", {{"", "おなかがすいて動けない……", kNoVoice}}, {}, "",
               false}},
        {119, {0, "bg\\ev_room.bmp", "", "", {{"", "今日はここまで。", kNoVoice}}, {}, "", false}},
    };
}

std::vector<std::string> EventTableLines() {
    std::vector<std::string> lines = {
        "// label,id,kind,sub,group,folder,script,once,priority,condition,setting,next,picture,target,class,side,place"};
    for (const SRow& r : kRows) lines.push_back(EventTableLine(r));
    for (const SRow& r : ActionEventRows()) lines.push_back(EventTableLine(r));
    return lines;
}

// Every picture the scripts show, with its small copy for the save thumbnail.
void WritePictures(CDemoWriter& out) {
    for (const char* bg : {"bg\\ev_room.bmp", "bg\\ev_garden.bmp", "bg\\ev_house1.bmp", "bg\\ev_house2.bmp"}) {
        out.Sheet(kit::MakeSheet(bg, 800, 600, 4, 3));
    }
    // Figures carry their speaker's name.
    const char* figures[][2] = {{"chara\\lu_01.bmp", "Lux"}, {"chara\\me_01.bmp", "Mel"}, {"chara\\pa_01.bmp", "Pal"}};
    for (const auto& figure : figures) out.Sheet(kit::MakeControls(figure[0], 320, 520, 1, 2, {figure[1]}));
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
    out.Sheet(kit::MakeControls("obj\\selection\\sel_104.bmp", 544, 180, 2, 5, {"Play outside", "Draw a picture"}));
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

// The label of an event's row, which its hint picture carries.
std::string EventLabel(int id) {
    for (const SRow& r : kRows) {
        if (r.id == id) return r.label;
    }
    return {};
}

// Six tabs of hints: each line a picture, an event, an order key and a voice.  A hint's
// picture is also the event's picture in the stage's event panel, drawn from (264, 0)
// to the screen's right edge, so it is as wide as that: the panel's button (8, 8 in the
// picture) and mark (328, 8), and in the hint window's row the mark and the row's button
// (432, 8), lie over its top band; the event's name stands below them.
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
            kit::SSheetSpec picture = kit::MakeSheet(std::string("obj\\") + name + ".bmp", kHintPictureWidth,
                                                     kHintPictureHeight, 4, 1);
            picture.captions = {{8, 48, EventLabel(event), 2}};
            out.Sheet(picture);
        }
        out.Text("cfg\\hint" + std::to_string(tab) + ".txt", lines);
    }
}

}  // namespace

void WriteEventData(CDemoWriter& out) {
    WritePictures(out);
    WriteSounds(out);
    WriteHints(out);
    std::vector<SEventScene> scenes = Scenes();
    for (SEventScene& e : ActionEventScenes()) scenes.push_back(std::move(e));
    for (const SEventScene& e : scenes) {
        CAdvScriptBuilder script;
        BuildScript(script, e.scene);
        out.Script("scr\\demo\\ev_" + std::to_string(e.id) + ".txt", script);
    }
    out.Text("cfg\\event.csv", EventTableLines());
}

}  // namespace demo
