#pragma once
// Row loops of the MMX and SSE blit kernels, on raw pixel memory.  Internal to the blit
// module; the kernels in BlitVector.cpp lock the surfaces and walk the rows.
//
// The arithmetic is that of 64-bit vectors of four 16-bit lanes: wrapping lane
// differences and products, logical shifts by 8 (a floor division for the cases that
// occur), with the results packed back.  The loops carry two such vectors in one SSE2
// register where the outcome is the same pixel for pixel; kSse selects the prefetching
// members (and, for the opaque 15/16 rows, the rounding-toward-zero row tail).
#include <cstdint>

namespace vector_rows {

enum class EPixel16 { X1R5G5B5, R5G6B5 };

// Opaque family: the whole row blended at opacity o (0..255).
template <EPixel16 kFormat, bool kSse>
void OpaqueRow16(uint16_t* dst, const uint16_t* src, int width, int opacity);
template <bool kSse>
void OpaqueRow24(uint8_t* dst, const uint8_t* src, int width, int opacity);
template <bool kSse>
void OpaqueRow32(uint8_t* dst, const uint8_t* src, int width, int opacity);

// Alpha family: each pixel at max(a + o - 255, 0) of its source alpha a.
template <EPixel16 kFormat, bool kSse>
void AlphaRow16(uint16_t* dst, const uint16_t* src, const uint8_t* alpha, int width, int opacity);
template <bool kSse>
void AlphaRow24(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, int width, int opacity);
template <bool kSse>
void AlphaRow32(uint8_t* dst, const uint8_t* src, const uint8_t* alpha, int width, int opacity);

}  // namespace vector_rows
