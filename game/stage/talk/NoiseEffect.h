#pragma once
// Noise over the whole screen: a 400 × 300 window of a small noise picture, moved to
// a random place every fourth frame and drawn twice its size.
#include <cstdint>

#include "engine/base/Random.h"
#include "engine/draw/ImagePlane.h"
#include "game/stage/talk/TalkObject.h"

class CNoiseEffect : public CTalkObject {
public:
    static constexpr const char* kPicture = "sys\\noise2_small.bmp";

    void Load() override {}
    void Update() override;
    void Draw() override;

    void SetPosition(int32_t x, int32_t y) override { m_Position = SPoint{x, y}; }
    void SetScale(float, float, int32_t, int32_t) override {}
    void SetRotation(int32_t, int32_t, int32_t) override {}
    void SetAlpha(int32_t level) override { m_Alpha = level < 0 ? 0 : level > 255 ? 255 : level; }
    SPoint GetPosition() const override { return m_Position; }
    void GetScale(float*, float*, SPoint*) const override {}
    void GetRotation(int32_t*, SPoint*) const override {}
    int32_t GetAlpha() const override { return m_Alpha; }
    SSize GetSize() const override { return SSize{800, 600}; }
    bool DrawSmall() override {
        Draw();
        return true;
    }

    // Loads the noise picture; its result.
    bool LoadNoise() { return m_Plane.Load(kPicture); }
    void Release() { m_Plane.Release(); }
    bool IsLoaded() const { return m_Plane.IsLoaded(); }

    // The noise window's top-left corner in the picture.
    SPoint GetWindow() const { return SPoint{m_Left, m_Top}; }
    CRandom& GetRandom() { return m_Random; }

private:
    CImagePlane m_Plane;
    SPoint m_Position;
    int32_t m_Alpha = 255;
    CRandom m_Random;
    int32_t m_Frame = 0;
    int32_t m_Left = 0;
    int32_t m_Top = 0;
};
