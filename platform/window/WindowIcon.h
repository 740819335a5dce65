#pragma once
// The program's icon pictures, found by the resource name the desktop program used
// ("ID_ICON").  There is no resource file: the pictures are drawn by code on request.
#include <cstdint>
#include <vector>

struct SIconPicture {
    int32_t width = 0;
    int32_t height = 0;
    // 0xAARRGGBB per pixel, rows top first, no padding.
    std::vector<uint32_t> pixels;
};

// The size of the window icon.
inline constexpr int32_t kWindowIconSize = 32;

// The picture of an icon resource; false for a name that is not one.
bool FindIconResource(const char* name, SIconPicture* picture);
