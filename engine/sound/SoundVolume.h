#pragma once
// Loudness scales of the game (0..100 of the bank, 0..1000 of the channels) to
// hundredths of a decibel: the amplitude ratio r gives 2000 × log10(r), silence
// for 0, held to -10000..0.
#include <cstdint>

int32_t RatioToHundredthsDb(double ratio);
// Milliseconds to frame updates at 60 frames per second (rate × ms / 1000).
int32_t MsToFrames(int32_t ms);
