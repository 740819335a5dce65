#pragma once
// The inner rows of the bilinear filter at 32 bits per pixel, the one path worth
// vectorising: full-opacity opaque stretches of pictures.  Internal to the blit module.
// Every result is bit for bit that of the scalar formula (StretchBilinear.cpp): each
// channel is filtered horizontally (top = c00 + ((c01 - c00) * wx >> 16), bottom alike),
// then vertically (top + ((bottom - top) * wy >> 16)); the X byte is 0.
//
// Two ways through a destination row: in one pass from both source rows, or from two
// horizontally filtered source rows kept between destination rows.  An enlargement
// filters each source row horizontally once however many destination rows use it.
#include <cstdint>
#include <vector>

namespace stretch_detail {

// The columns of one call: the left tap's source column, its 16-bit weight, the same
// weight four times (one per 16-bit lane of a pixel, for the vector rows), and how many
// leading columns are filtered (the rest lie on the last usable source column).
struct SColumnTaps {
    std::vector<int32_t> column;
    std::vector<int32_t> weight;
    std::vector<uint64_t> weight4;
    int32_t filtered = 0;
};

// Writes `count` filtered pixels to dst (4 bytes each) from the source rows row0 and
// row1 (the lower neighbours): pixel i from columns column[i] and column[i] + 1 with the
// horizontal weight of weight4[i] and the vertical weight wy.
void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy);

// The horizontal pass of one source row: four 16-bit channel values (B, G, R, X) per
// destination column, `count` columns.
void BilinearHorizontal32(uint16_t* out, const uint8_t* row, const int32_t* column, const uint64_t* weight4,
                          int32_t count);

// The vertical pass: `count` pixels from two horizontally filtered rows.
void BilinearVertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy);

}  // namespace stretch_detail
