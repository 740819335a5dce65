#pragma once
// The pieces every demo event is made of: what its script shows (music, a background,
// a figure, an overlay, lines in the window or in balloons, the month-end command), its
// row of cfg\event.csv, and the builders that turn both into a compiled script and a
// table line.  EventData.cpp holds the month's events, ActionEventData.cpp those of the
// work report, the seasonal events and the side actions.
#include <cstdint>
#include <string>
#include <vector>

class CAdvScriptBuilder;

namespace demo {

inline constexpr const char* kNoVoice = "voice\\.ogg";

// "voice\<prefix>_<n, four digits>.ogg" and "bgm\bgm_<n, three digits>.ogg".
std::string Voice(const char* prefix, int n);
std::string Bgm(int n);

// The size of a balloon's shape: obj\f000_000.bmp holds nine side by side.  The text
// is centred in a box of 24 full-width characters 96 pixels in from the corner.
inline constexpr int32_t kBalloonWidth = 720;
inline constexpr int32_t kBalloonHeight = 160;

// The size of a hint's picture, which is also its event's picture in the stage's event
// panel: drawn from x 264, it ends at the screen's right edge.
inline constexpr int32_t kHintPictureWidth = 536;
inline constexpr int32_t kHintPictureHeight = 72;

// Where the i-th balloon of a scene stands (its top-left corner on the screen): one
// under the other from the top left, each wholly on the screen, clear of the others
// and, for the two a scene shows at most, of the message box from y 416.
struct SBalloonAt {
    int32_t x, y;
};
SBalloonAt BalloonAt(int i);

// A spoken line of the message window or of a balloon.
struct SLine {
    std::string name;
    std::string text;
    std::string voice;  // kNoVoice for none
};

// What one event's script shows: music, a background, a figure, an overlay, lines in
// the window, then balloons.  An empty name shows nothing of that kind.
struct SScene {
    int music = 0;  // bgm number, 0 keeps what plays
    std::string background;
    std::string figure;   // centre figure
    std::string overlay;  // on layer 10000 at (100, 200)
    std::vector<SLine> lines;
    std::vector<SLine> balloons;
    std::string effect;  // a redirected voice played as an effect
    // The month-end command after the lines: the report of what the event (or the action
    // that started it) changed, paged through the window.
    bool endMonth = false;
};

struct SEventScene {
    int id;
    SScene scene;
};

// One row of the table; `script` is the file under scr\demo\ (empty for a continuation
// line, which adds a condition, a setting or a choice to the row above).
struct SRow {
    std::string label;
    int id, kind, sub, group;
    std::string script;
    std::string once;
    int priority;
    std::string condition;
    std::string setting;
    std::string next;
    std::string picture;
    int target;
};

void BuildScript(CAdvScriptBuilder& s, const SScene& scene);
// The row as a line of cfg\event.csv (17 columns, the script folder "demo").
std::string EventTableLine(const SRow& row);

// The events of the work report's occasions (1, x), of the seasonal events (2, x) and of
// every side action of both sides of the month, one row and one scene each.
std::vector<SRow> ActionEventRows();
std::vector<SEventScene> ActionEventScenes();

}  // namespace demo
