#pragma once
// The mask blend: a destination block becomes a mix of two equally sized source blocks
// A and B through an 8-bit rule image.  Where the rule image is dark B shows early in
// the transition, where it is bright late, with a soft edge as wide as the rule
// image's threshold byte plus one rule level.  Progress 0 gives A, 1024 gives B.
//
// The dispatcher SoftFxRuleRef::SoftFxMaskBlend and its four kernels are members of
// SoftFxRuleRef (SoftFxRuleWipe.h), the object every rule kernel is called on:
//   - the dispatcher refuses (with a log line) surfaces of different depths and a
//     block that does not lie inside all three surfaces and under the rule image at
//     ruleOrigin; it locks the destination, A and B in this order and picks the kernel
//     by A's depth;
//   - each kernel writes LerpPixel15/16/24/32 (SoftFx3Lerp.h) of A's and B's pixels at
//     the weight SoftFxBuildRuleWeights gives the pixel's rule value at opacity 255.
#include "engine/soft/effect/SoftFxRuleWipe.h"
