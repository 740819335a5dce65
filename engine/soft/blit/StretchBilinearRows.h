#pragma once
// The inner row of the bilinear filter at 32 bits per pixel, the one path worth
// vectorising: full-opacity opaque stretches of pictures.  Internal to the blit module.
// The result is bit for bit that of the scalar formula (StretchBilinear.cpp).
#include <cstdint>
#include <vector>

namespace stretch_detail {

// The columns of one call: the left tap's source column, its 16-bit weight, the same
// weight four times (one per 16-bit lane of a pixel, for the vector row), and how many
// leading columns are filtered (the rest lie on the last usable source column).
struct SColumnTaps {
    std::vector<int32_t> column;
    std::vector<int32_t> weight;
    std::vector<uint64_t> weight4;
    int32_t filtered = 0;
};

// Writes `count` filtered pixels to dst (4 bytes each, X byte 0) from the source rows
// row0 and row1 (the lower neighbours): pixel i from columns column[i] and column[i] + 1
// with the horizontal weight of weight4[i] and the vertical weight wy.
void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy);

}  // namespace stretch_detail
