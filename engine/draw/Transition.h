#pragma once
// One screen transition: draws the change from the outgoing to the incoming picture
// at a progress strictly between 0 and 1024 onto the current render target (the
// holder draws the two ends itself, so that they are the pictures exactly).  The
// pictures are opaque render-target textures of the screen's size.
#include <cstdint>

class CD3DDevice;
class CD3DTexture;
class CRenderTarget;

struct STransitionContext {
    CD3DDevice* device = nullptr;
    const CD3DTexture* outgoing = nullptr;
    const CD3DTexture* incoming = nullptr;
    float width = 800.0f;   // the pictures' size in pixels
    float height = 600.0f;
    CRenderTarget* scratch = nullptr;  // a spare target of the same size
};

class CTransition {
public:
    virtual ~CTransition() = default;
    // Progress 1 to 1023.
    virtual bool Draw(const STransitionContext& context, int32_t progress) = 0;
    // True when the transition draws its own ends too (the fade to a colour).
    virtual bool DrawsEnds() const { return false; }
};
