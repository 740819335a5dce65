#pragma once
// Small picture helpers of the calendar's screens.
#include <cstdint>
#include <string>

class CImagePlane;

// One cell of a one-row sheet as a picture of its own: the sheet is read into a
// temporary plane, cut into `columns` equal cells and cell `column` copied into `out`.
// False (and `out` empty) when the sheet cannot be read or the cell does not exist.
bool BuildCellPicture(CImagePlane& out, const std::string& sheet, int32_t columns, int32_t column);

// The draw colour of a picture faded to `alpha` (0..255).
inline uint32_t FadeColour(int32_t alpha) {
    return static_cast<uint32_t>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha) << 24 | 0x00FFFFFFu;
}
