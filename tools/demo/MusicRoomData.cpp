// The music room and the game's 19 pieces of music.  Each piece is a short tune of its
// own: a melody on a pentatonic scale over a bass line, its key, tempo and notes drawn
// from the track's seed, so that every track sounds different and repeats exactly.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "game/menus/music/MusicRoomScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

constexpr uint32_t kRate = 44100;

// One tone with a short attack and an exponential decay, added into the stereo buffer.
void AddNote(std::vector<int16_t>& out, double freq, uint32_t start, uint32_t frames, double level, double pan) {
    const size_t total = out.size() / 2;
    for (uint32_t i = 0; i < frames && start + i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.01);
        const double env = attack * std::exp(-3.0 * t * kRate / frames);
        const double s = level * env * (std::sin(2 * M_PI * freq * t) + 0.3 * std::sin(4 * M_PI * freq * t));
        const size_t k = 2 * (static_cast<size_t>(start) + i);
        out[k] = static_cast<int16_t>(std::clamp(out[k] + s * (1.0 - pan), -32767.0, 32767.0));
        out[k + 1] = static_cast<int16_t>(std::clamp(out[k + 1] + s * (1.0 + pan), -32767.0, 32767.0));
    }
}

std::vector<int16_t> MakeTune(uint32_t seed, uint32_t ms) {
    std::mt19937 rng(seed);
    const uint32_t frames = kRate * ms / 1000u;
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    static constexpr int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16};
    const double root = 220.0 * std::pow(2.0, static_cast<double>(rng() % 12) / 12.0);
    const uint32_t beat = kRate * (150u + rng() % 150u) / 1000u;
    auto note = [&](int semitones) { return root * std::pow(2.0, semitones / 12.0); };
    int degree = static_cast<int>(rng() % 5);
    for (uint32_t at = 0, n = 0; at < frames; at += beat, ++n) {
        degree = std::clamp(degree + static_cast<int>(rng() % 5) - 2, 0, 7);
        AddNote(out, note(kScale[degree] + 12), at, beat * 2, 5000.0, 0.3);
        if (n % 4 == 0) {
            AddNote(out, note(kScale[rng() % 3] - 12), at, beat * 4, 6000.0, -0.3);
        }
    }
    return out;
}

// The titles of the nineteen pieces, for their buttons and the title of the one playing.
const std::vector<std::string>& TrackTitles() {
    static const std::vector<std::string> titles = {
        "Our Home",     "The Mansion", "A New Month",  "What To Do",  "Garden Flowers", "Week by Week", "Good Morning",
        "A Visitor",    "Month's End", "Hungry Days",  "Market Day",  "Housework",      "Going Out",    "Rainy Room",
        "Quiet Rest",   "Evening Glow", "Night Letters", "Staff Roll", "Farewell"};
    return titles;
}

}  // namespace

void WriteMusicRoomData(CDemoWriter& out, uint32_t tuneMs) {
    // Title at (0, 0), subtitle at (280, 0); the playing track's title, one cell of
    // 240 × 24 per track, at (400, 24).
    out.Sheet(kit::MakeControls(CMusicRoomScene::kTitle, 280, 48, 2, 1, {"Music room"}));
    out.Sheet(kit::MakeSheet(CMusicRoomScene::kSubTitle, 520, 24, 4, 1));
    out.Sheet(kit::MakeControls(CMusicRoomScene::kTrackTitleSheet, 240 * CMusicRoomScene::kTrackCount, 24,
                                CMusicRoomScene::kTrackCount, 1, TrackTitles()));
    // Six controls of 48 × 32 from (376, 56) on, three modes of 104 × 24, and a track
    // button of 192 × 16 per track down from (32, 160); five looks each.
    out.Sheet(kit::MakeControls(CMusicRoomScene::kControlSheet, 288, 160, 6, 5,
                                {"Play", "Pause", "Stop", "Prev", "Next", "Back"}));
    out.Sheet(kit::MakeControls(CMusicRoomScene::kModeSheet, 312, 120, 3, 5, {"Repeat 1", "Repeat all", "Shuffle"}));
    // The track buttons' titles fill their 16-pixel rows, in letters read at a glance.
    kit::SSheetSpec tracks = kit::MakeControls(CMusicRoomScene::kTrackSheet, 192 * CMusicRoomScene::kTrackCount, 80,
                                               CMusicRoomScene::kTrackCount, 5, TrackTitles());
    tracks.wordsFillCell = true;
    out.Sheet(tracks);
    // The names of the game's table of music files (a test holds the two together).
    for (int32_t i = 0; i < CMusicRoomScene::kTrackCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "bgm\\bgm_%03d.ogg", static_cast<int>(i + 1));
        out.Sound(name, MakeTune(500u + static_cast<uint32_t>(i), tuneMs));
    }
}

}  // namespace demo
