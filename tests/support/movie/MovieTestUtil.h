#pragma once
// Helpers of the movie tests: a clip written into the game folder, a clock stepped by
// hand, pictures taken as the decoding thread delivers them, colours compared loosely.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/movie/MoviePlayer.h"
#include "tools/kit/StepClock.h"
#include "tools/movie/ClipWriter.h"

namespace movietest {

using namespace movieclip;

class CStepClock : public kit::CStepClock {
public:
    CStepClock() : kit::CStepClock(5000) {}
};

// Writes the clip as "mov.pak" into the folder; fails the test when the encoders miss.
inline void WriteMovie(const std::string& folder, const SClip& clip = {}, const std::string& name = "mov.pak") {
    std::string error;
    ASSERT_TRUE(WriteClip(clip, folder + name, &error)) << error;
}

// Takes every picture due at the player's time, letting the decoder catch up.
inline void TakeDuePictures(CMoviePlayer& player) {
    for (int i = 0; i < 1000; ++i) {
        player.WaitForDecoder(5000);
        if (!player.UpdateFrame()) return;
    }
}

inline bool Near(uint32_t argb, uint32_t rgb, int tolerance = 40) {
    for (int shift = 0; shift < 24; shift += 8) {
        int a = static_cast<int>((argb >> shift) & 0xFF), b = static_cast<int>((rgb >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

inline uint32_t Pixel(const CMoviePlayer& player, uint32_t x, uint32_t y) {
    return player.GetFrame().at(static_cast<size_t>(y) * CMoviePlayer::kWidth + x);
}

}  // namespace movietest
