#pragma once
// One still picture on a stage layer: placed, scaled and turned about centres, faded,
// brought in and taken out by two motion effects, and moved by key-text motions.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/adv/MotionFactory.h"
#include "engine/base/Matrix.h"
#include "engine/draw/ImagePlane.h"
#include "game/stage/talk/TalkMotion.h"
#include "game/stage/talk/TalkObject.h"

class CTalkCgImage : public CTalkPicture {
public:
    CTalkCgImage();
    ~CTalkCgImage() override;
    CTalkCgImage(const CTalkCgImage&) = delete;
    CTalkCgImage& operator=(const CTalkCgImage&) = delete;

    void Load() override {}
    void Update() override;
    void Draw() override;

    void SetPosition(int32_t x, int32_t y) override;
    void SetScale(float sx, float sy, int32_t cx, int32_t cy) override;
    void SetRotation(int32_t angle, int32_t cx, int32_t cy) override;
    void SetAlpha(int32_t level) override;
    SPoint GetPosition() const override { return m_Transform.position; }
    void GetScale(float* sx, float* sy, SPoint* centre) const override;
    void GetRotation(int32_t* angle, SPoint* centre) const override;
    int32_t GetAlpha() const override { return m_Transform.alpha; }
    SSize GetSize() const override;
    // The small picture of "obj\small\" scaled to the picture's size.
    bool DrawSmall() override;

    void Release() override;
    bool IsLoaded() const override { return m_Plane.IsLoaded(); }
    void SetInEffect(int32_t effectId, int32_t frames) override;
    void SetOutEffect(int32_t effectId, int32_t frames) override;
    void StartIn() override;
    void Show() override;
    void StartOut() override;
    void Hide() override;
    void ClearMotion() override;
    void ParseMotion(const std::string& text, const SMotionOut& out) override;
    void SetMotion(const std::string& text) override;
    void PlayMotion(bool loop) override;
    void StopMotion() override;
    bool IsMotionPlaying() const override { return m_Motion.IsPlaying(); }

    // A blank (transparent) picture of the size with the transform reset.
    bool CreateBlank(int32_t width, int32_t height);
    // Loads the picture with the transform reset; true when it loaded.
    bool SetImage(const std::string& name);
    // The small picture stretched over the whole 800 × 600 screen.
    bool DrawSmallScreen();

    // The picture's matrix: rotated about the rotation centre, scaled about the scale
    // centre, moved to the position.
    CMatrix4 GetMatrix() const;
    // alpha × opacity factor / 255.
    int32_t GetOpacity() const { return m_Transform.alpha * m_OpacityFactor / 255; }
    int32_t GetState() const { return m_State; }
    const std::string& GetName() const { return m_Name; }
    CImagePlane& GetPlane() { return m_Plane; }
    const CMotionEffect* GetInEffect() const { return m_InEffect.get(); }
    const CMotionEffect* GetOutEffect() const { return m_OutEffect.get(); }

private:
    void _ResetTransform();
    void _SetEffect(std::unique_ptr<CMotionEffect>* slot, int32_t effectId, int32_t frames);
    // The effects read the picture's size when attached.
    void _ReattachEffects();
    bool _DrawSmall(bool wholeScreen);

    CImagePlane m_Plane;
    std::unique_ptr<CMotionEffect> m_InEffect;
    std::unique_ptr<CMotionEffect> m_OutEffect;
    CTalkMotionFactory m_MotionFactory;
    int32_t m_State = STATE_HIDDEN;
    std::string m_Name;
    STalkTransform m_Transform;
    int32_t m_OpacityFactor = 255;
    CTalkMotion m_Motion;
};
