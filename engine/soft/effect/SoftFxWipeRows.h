#pragma once
// The blend rows of the rule wipe: a run of source pixels laid over the destination, each
// with its own weight.  Internal to the effect module.
//
// Every pixel comes out exactly as the depth's blend primitive (BlendPixel15/16/32) makes
// it: weight 0 and equal pixels leave the destination, 255 copies the source, anything
// else mixes through the blend tables' formulas.  With SSE2 the rows compute those
// formulas eight (16-bit) or four (32-bit) pixels at a time without a branch or a table
// read, which is what a rule picture's noise needs: per-pixel branches on random weights
// mispredict, and the 16-bit tables do not stay in the cache.
//
// The two rows must not share memory: a vector reads pixels the scalar primitive would
// already have written.
#include <cstdint>

namespace softfx_wipe {

// kDepth 15, 16 or 32: `width` pixels of src over dst, pixel i with weight[i].
template <int kDepth>
void WipeRow(uint8_t* dst, const uint8_t* src, const uint8_t* weight, int width);

}  // namespace softfx_wipe
