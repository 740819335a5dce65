#pragma once
// Rule images: an 8-bit picture steers a transition.  Where the rule is dark the new
// picture shows early, where it is bright late; the rule image's threshold byte t sets
// the width of the soft edge (t + 1 rule levels).
//
// SoftFxRuleRef is the object the rule kernels are called on: it refers to one rule
// image (not owned).  The rule wipe (one source over a destination, by source kind and
// depth) lives in SoftFxRuleWipe.cpp; the mask blend of two sources into a destination
// (SoftFxMaskBlend*) is declared here too and defined with the three-surface effects.
//
// Every kernel builds its weight table afresh from the threshold, the opacity and the
// progress (SoftFxBuildRuleWeights); nothing is cached between calls.
#include <cstdint>

#include "platform/sys/Geometry.h"

class CSoftSurface;
class CMaskImage;

// The weight of every rule value r, 0..255, for one call:
//   P = ((t + 256) * progress) / 1024,  q = (P * 256 - r * 256) / (t + 1),
//   W[r] = clamp(q + opacity - 255, 0, 255).
// threshold is the rule image's threshold byte; opacity is held to 0..255 and progress
// to 0..1024 first.  The mask blend uses it at opacity 255.
void SoftFxBuildRuleWeights(uint8_t weights[256], unsigned threshold, int opacity, int progress);

struct SoftFxRuleRef {
    const CMaskImage* rule = nullptr;

    // --- rule wipe: source drawn over the destination through the rule ---
    // Dispatchers by source kind.  dstPoint and srcRect are already clipped; ruleOrigin
    // is the destination position of the rule image's top-left pixel.  They lock the
    // destination then the source, pick the kernel by the source's depth and unlock in
    // reverse.  A failed lock, another depth, surfaces of unequal depth, a rectangle
    // outside either surface or outside the rule image, or a missing rule buffer draw
    // nothing (the last three are logged).  An empty rectangle draws nothing.
    void SoftFxRuleWipeOpaque(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint, const SRect* srcRect,
                              const SPoint* ruleOrigin, int opacity, int progress) const;
    void SoftFxRuleWipeColorKey(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint, const SRect* srcRect,
                                const SPoint* ruleOrigin, int opacity, int progress) const;
    void SoftFxRuleWipeAlpha(CSoftSurface* dst, CSoftSurface* src, const SPoint* dstPoint, const SRect* srcRect,
                             const SPoint* ruleOrigin, int opacity, int progress) const;

    // Kernels.  The caller guarantees what the dispatchers check: the rectangle lies
    // inside both buffers and inside the rule image placed at ruleOrigin, opacity is
    // 0..255 and progress 0..1024.  The key is in the source's pixel form (16-bit pixel
    // at 15/16 bpp, low 24 bits at 24 bpp, the whole word at 32 bpp).
    void SoftFxRuleWipeOpaque15(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,
                                const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                int progress) const;
    void SoftFxRuleWipeOpaque16(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,
                                const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                int progress) const;
    void SoftFxRuleWipeOpaque24(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,
                                const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                int progress) const;
    void SoftFxRuleWipeOpaque32(uint8_t* dstBits, const uint8_t* srcBits, int dstPitch, int srcPitch,
                                const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                int progress) const;
    void SoftFxRuleWipeColorKey15(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,
                                  const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                  int progress) const;
    void SoftFxRuleWipeColorKey16(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,
                                  const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                  int progress) const;
    void SoftFxRuleWipeColorKey24(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,
                                  const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                  int progress) const;
    void SoftFxRuleWipeColorKey32(uint8_t* dstBits, const uint8_t* srcBits, uint32_t key, int dstPitch, int srcPitch,
                                  const SPoint* dstPoint, const SRect* srcRect, const SPoint* ruleOrigin, int opacity,
                                  int progress) const;
    void SoftFxRuleWipeAlpha15(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch,
                               int srcPitch, int srcAlphaPitch, const SPoint* dstPoint, const SRect* srcRect,
                               const SPoint* ruleOrigin, int opacity, int progress) const;
    void SoftFxRuleWipeAlpha16(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch,
                               int srcPitch, int srcAlphaPitch, const SPoint* dstPoint, const SRect* srcRect,
                               const SPoint* ruleOrigin, int opacity, int progress) const;
    void SoftFxRuleWipeAlpha24(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch,
                               int srcPitch, int srcAlphaPitch, const SPoint* dstPoint, const SRect* srcRect,
                               const SPoint* ruleOrigin, int opacity, int progress) const;
    void SoftFxRuleWipeAlpha32(uint8_t* dstBits, const uint8_t* srcBits, const uint8_t* srcAlpha, int dstPitch,
                               int srcPitch, int srcAlphaPitch, const SPoint* dstPoint, const SRect* srcRect,
                               const SPoint* ruleOrigin, int opacity, int progress) const;

    // --- mask blend: A and B mixed into the destination through the rule ---
    // Defined with the three-surface effects (SoftFx3*.cpp).
    void SoftFxMaskBlend(CSoftSurface* dst, CSoftSurface* a, CSoftSurface* b, const SPoint* dstPoint,
                         const SPoint* aPoint, const SPoint* bPoint, const SPoint* ruleOrigin, const SSize* size,
                         int progress) const;
    void SoftFxMaskBlend15(uint8_t* dstBits, const uint8_t* aBits, const uint8_t* bBits, int dstPitch, int aPitch,
                           int bPitch, const SPoint* dstPoint, const SPoint* aPoint, const SPoint* bPoint,
                           const SPoint* ruleOrigin, const SSize* size, int progress) const;
    void SoftFxMaskBlend16(uint8_t* dstBits, const uint8_t* aBits, const uint8_t* bBits, int dstPitch, int aPitch,
                           int bPitch, const SPoint* dstPoint, const SPoint* aPoint, const SPoint* bPoint,
                           const SPoint* ruleOrigin, const SSize* size, int progress) const;
    void SoftFxMaskBlend24(uint8_t* dstBits, const uint8_t* aBits, const uint8_t* bBits, int dstPitch, int aPitch,
                           int bPitch, const SPoint* dstPoint, const SPoint* aPoint, const SPoint* bPoint,
                           const SPoint* ruleOrigin, const SSize* size, int progress) const;
    void SoftFxMaskBlend32(uint8_t* dstBits, const uint8_t* aBits, const uint8_t* bBits, int dstPitch, int aPitch,
                           int bPitch, const SPoint* dstPoint, const SPoint* aPoint, const SPoint* bPoint,
                           const SPoint* ruleOrigin, const SSize* size, int progress) const;
};
