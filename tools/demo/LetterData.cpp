// The girl's letters: cfg\letter.csv with one letter, its picture, voice and script, and
// the envelope and paper the letter scene shows first.  No row of the event table
// starts a letter in the first month; the letter viewer (scene 26) reads them all.
#include <string>

#include "tools/demo/DemoWriter.h"
#include "tools/demo/EventScripts.h"
#include "tools/script/AdvScriptBuilder.h"

namespace demo {

void WriteLetterData(CDemoWriter& out) {
    out.Sheet(kit::MakeControls("obj\\letter\\t000_000.bmp", 800, 600, 4, 3, {"Envelope"}));
    out.Sheet(kit::MakeControls("obj\\letter\\t000_001.bmp", 800, 600, 4, 3, {"Paper"}));
    out.Sheet(kit::MakeControls("obj\\letter\\l001.bmp", 800, 600, 4, 3, {"Letter 1"}));
    out.Sound(Voice("lu", 2001), 900u, 1500);
    SScene answer;
    answer.lines = {{"", "ピコネから手紙が届いた。", kNoVoice}};
    CAdvScriptBuilder script;
    BuildScript(script, answer);
    out.Script("scr\\letter\\l_001.txt", script);
    out.Text("cfg\\letter.csv", {"// script, picture, voices", "scr\\letter\\l_001.txt, obj\\letter\\l001.bmp, lu_2001"});
}

}  // namespace demo
