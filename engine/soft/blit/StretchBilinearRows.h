#pragma once
// The inner rows of the bilinear filter at 32 bits per pixel, the paths worth
// vectorising: opaque stretches of pictures at full opacity and stretches of pictures
// with an alpha plane.  Internal to the blit module.  Every result is bit for bit that of
// the scalar formula (StretchBilinear.cpp): each channel is filtered horizontally
// (top = c00 + ((c01 - c00) * wx >> 16), bottom alike), then vertically
// (top + ((bottom - top) * wy >> 16)).
//
// A filtered pixel is four bytes B, G, R and a fourth: 0 for an opaque source, the
// filtered alpha (the alpha plane's taps through the same formula) for a source with an
// alpha plane, which BlendFilteredRow32 then lays over the destination.  The alpha rides
// in the X byte's place: such source rows are first merged with their alpha bytes.
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

// A source row with an alpha plane as the rows below read it: B, G, R and the alpha
// byte in place of the X byte, `count` pixels.
void MergeAlphaRow32(uint8_t* out, const uint8_t* pixels, const uint8_t* alpha, int32_t count);

// Writes `count` filtered pixels to dst (4 bytes each) from the source rows row0 and
// row1 (the lower neighbours): pixel i from columns column[i] and column[i] + 1 with the
// horizontal weight of weight4[i] and the vertical weight wy.  The fourth byte is
// filtered like the others when `alpha` (rows made by MergeAlphaRow32), else 0.
void BilinearRow32(uint8_t* dst, const uint8_t* row0, const uint8_t* row1, const int32_t* column,
                   const uint64_t* weight4, int32_t count, int wy, bool alpha);

// The horizontal pass of one source row: four 16-bit values (B, G, R, and the fourth
// byte) per destination column, `count` columns.
void BilinearHorizontal32(uint16_t* out, const uint8_t* row, const int32_t* column, const uint64_t* weight4,
                          int32_t count);

// The vertical pass: `count` filtered pixels from two horizontally filtered rows; the
// fourth byte is the filtered alpha when `alpha`, else 0.
void BilinearVertical32(uint8_t* dst, const uint16_t* top, const uint16_t* bottom, int32_t count, int wy, bool alpha);

// Lays `count` filtered pixels with their alpha (BGRA) over dst as BlendPixel32 does
// with the alpha, or, when opacity is below 255, with max(alpha + opacity - 255, 0).
// The colour laid over has X byte 0.
void BlendFilteredRow32(uint8_t* dst, const uint8_t* bgra, int32_t count, int opacity);

}  // namespace stretch_detail
