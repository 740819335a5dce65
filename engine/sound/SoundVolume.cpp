#include "engine/sound/SoundVolume.h"

#include <cmath>

int32_t RatioToHundredthsDb(double ratio) {
    if (!(ratio > 0.0)) return -10000;
    if (ratio >= 1.0) return 0;
    double db = 2000.0 * std::log10(ratio);
    if (db <= -10000.0) return -10000;
    return static_cast<int32_t>(std::lround(db));
}

int32_t MsToFrames(int32_t ms) { return ms <= 0 ? 0 : static_cast<int32_t>(static_cast<int64_t>(ms) * 60 / 1000); }
