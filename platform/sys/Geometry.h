#pragma once
// Rectangles, points and sizes as the engine passes them: signed 32-bit fields,
// right and bottom exclusive, whatever `long` is on this machine.
#include <cstdint>

struct SRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const SRect&) const = default;
};

struct SPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const SPoint&) const = default;
};

struct SSize {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const SSize&) const = default;
};
