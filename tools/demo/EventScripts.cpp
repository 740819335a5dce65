#include "tools/demo/EventScripts.h"

#include <cstdio>

#include "tools/script/AdvScriptBuilder.h"

namespace demo {

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

SBalloonAt BalloonAt(int i) { return SBalloonAt{40, 40 + (kBalloonHeight + 20) * i}; }

void BuildScript(CAdvScriptBuilder& s, const SScene& scene) {
    if (scene.music != 0) s.Add(30, {0, 80, 0, 500}, {Bgm(scene.music)});
    if (!scene.background.empty()) s.Add(11, {}, {scene.background});
    if (!scene.figure.empty()) s.Add(13, {0, 0, 0, 0}, {scene.figure});
    if (!scene.overlay.empty()) s.Add(15, {0, 100, 200, 10000, 1, 0, 0}, {scene.overlay});
    s.Add(9, {1, 500, 0}, {""});
    if (!scene.effect.empty()) s.Add(35, {0, 100, 0, 0, 1}, {scene.effect});
    if (!scene.lines.empty()) {
        s.Add(3);
        for (const SLine& l : scene.lines) s.Add(5, {100, 0}, {l.name, l.text, l.voice});
        // The month report pages through the window, so the month ends while it is open.
        if (scene.endMonth) s.Add(70);
        s.Add(4);
    }
    int balloon = 0;
    for (const SLine& l : scene.balloons) {
        // Place 0 puts the balloon's corner at (x + 180, y + 148).
        const SBalloonAt at = BalloonAt(balloon);
        s.Add(6, {100, 0, 1, 300, 1, 300, 0, 0, at.x - 180, at.y - 148, balloon % 9, balloon, 0}, {l.name, l.text, l.voice});
        ++balloon;
    }
    if (balloon > 0) s.Add(8);
    if (!scene.figure.empty()) s.Add(14, {0});
    if (!scene.overlay.empty()) s.Add(17, {10000, 0, 0, 0});
    s.Add(2, {300});
}

std::string EventTableLine(const SRow& r) {
    const bool head = !r.script.empty();
    std::string line = r.label + ",";
    line += head ? std::to_string(r.id) + "," + std::to_string(r.kind) + "," + std::to_string(r.sub) + "," +
                       std::to_string(r.group) + ",demo,"
                 : std::string(",,,,,");
    line += r.script + "," + r.once + "," + (head ? std::to_string(r.priority) : std::string()) + ",";
    line += r.condition + "," + r.setting + "," + r.next + "," + r.picture + ",";
    line += r.target != 0 ? std::to_string(r.target) : std::string();
    line += ",,,";
    return line;
}

}  // namespace demo
