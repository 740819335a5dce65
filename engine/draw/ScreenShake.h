#pragma once
// The screen-shake layer: put over the layers it should shake (the top of a draw
// list), it takes what has been drawn into the current render target so far and
// draws it again moved by the shake's offset, black where the picture left the edge.
// The offset jumps each frame within the amplitudes; a shake runs for a number of
// frames (0: until stopped) and dies away over its last frames.  Draws nothing
// without Direct3D (the offset is still kept for callers that move things themselves).
#include <cstdint>

#include "engine/base/Random.h"
#include "engine/draw/SceneBase.h"
#include "engine/d3d/D3DTexture.h"

class CScreenShake : public CSceneBase {
public:
    static constexpr int32_t kDecayFrames = 20;

    CScreenShake();
    // Amplitudes in pixels (held to 0..100); frames 0 shakes until Stop.
    void Start(int32_t amplitudeX, int32_t amplitudeY, int32_t frames = 0);
    // Gradual: dies away over kDecayFrames; otherwise stops at once.
    void Stop(bool gradual = false);
    bool IsActive() const { return m_Active; }
    void GetOffset(int32_t* x, int32_t* y) const;
    // The same shake every time (tests).
    void Seed(uint32_t seed) { m_Random.Seed(seed); }

    void Update() override;
    void Draw() override;
    // Draws a captured picture at the offset (the screen effect's path).
    bool DrawShifted(const CD3DTexture& picture);

private:
    CRandom m_Random;
    bool m_Active = false;
    int32_t m_AmplitudeX = 0;
    int32_t m_AmplitudeY = 0;
    int32_t m_FramesTotal = 0;  // 0: endless
    int32_t m_FramesLeft = 0;
    int32_t m_DecayLeft = 0;    // > 0 while dying away
    int32_t m_OffsetX = 0;
    int32_t m_OffsetY = 0;
    CD3DTexture m_Copy;
};
