#include "game/menus/kit/DigitRun.h"

#include "engine/draw/CellImage.h"

void DrawDigitRun(const CCellImage& digits, int32_t value, std::span<const SPoint> places, uint32_t colour,
                  int32_t row) {
    if (value < 0 || places.empty()) {
        return;
    }
    const size_t count = places.size() < 10 ? places.size() : 10;
    int64_t limit = 1;
    for (size_t i = 0; i < count; ++i) {
        limit *= 10;
    }
    int64_t n = value < limit ? value : limit - 1;
    // From the units up; the units are drawn even for 0.
    for (size_t i = 0; i < count; ++i) {
        const SPoint& at = places[places.size() - 1 - i];
        DrawCell(digits, static_cast<int32_t>(n % 10), row, at.x, at.y, colour);
        n /= 10;
        if (n == 0) {
            break;
        }
    }
}
