#pragma once
// The interfaces of the objects the stage shows on its numbered layers: every talk
// object can be placed, scaled, turned and faded and draws a save thumbnail; the
// picture kinds among them also come and go through motion effects and run key-text
// motions.
#include <cstdint>
#include <string>

#include "engine/draw/SceneBase.h"
#include "platform/sys/Geometry.h"

// Talk object kinds, as the layer list's factory creates them.
enum ETalkKind : int32_t {
    TALK_KIND_IMAGE = 0,
    TALK_KIND_ANIME = 1,
    TALK_KIND_COLOR = 2,
    TALK_KIND_NOISE = 3,
    TALK_KIND_TIME_BG = 4,
};

class CTalkObject : public CSceneBase {
public:
    virtual void SetPosition(int32_t x, int32_t y) = 0;
    // Scale factors and the picture point that scaling keeps fixed.
    virtual void SetScale(float sx, float sy, int32_t cx, int32_t cy) = 0;
    // Angle in 512ths of a turn about the picture point (cx, cy).
    virtual void SetRotation(int32_t angle, int32_t cx, int32_t cy) = 0;
    // Stored held to 0..255.
    virtual void SetAlpha(int32_t level) = 0;
    virtual SPoint GetPosition() const = 0;
    // Out-pointers may be null.
    virtual void GetScale(float* sx, float* sy, SPoint* centre) const = 0;
    virtual void GetRotation(int32_t* angle, SPoint* centre) const = 0;
    virtual int32_t GetAlpha() const = 0;
    virtual SSize GetSize() const = 0;
    // Draws the object for a save thumbnail; true.
    virtual bool DrawSmall() = 0;
};

// The running values a parsed motion ends on (every pointer may be null).
struct SMotionOut {
    SPoint* position = nullptr;
    int32_t* alpha = nullptr;
    float* scaleX = nullptr;
    float* scaleY = nullptr;
    SPoint* scaleCentre = nullptr;
    int32_t* rotation = nullptr;
    SPoint* rotationCentre = nullptr;
};

class CTalkPicture : public CTalkObject {
public:
    enum EState : int32_t { STATE_HIDDEN = 0, STATE_APPEARING = 1, STATE_SHOWN = 2, STATE_DISAPPEARING = 3 };

    virtual void Release() = 0;
    virtual bool IsLoaded() const = 0;
    virtual void SetInEffect(int32_t effectId, int32_t frames) = 0;
    virtual void SetOutEffect(int32_t effectId, int32_t frames) = 0;
    virtual void StartIn() = 0;
    virtual void Show() = 0;
    virtual void StartOut() = 0;
    virtual void Hide() = 0;
    virtual void ClearMotion() = 0;
    virtual void ParseMotion(const std::string& text, const SMotionOut& out) = 0;
    virtual void SetMotion(const std::string& text) = 0;
    virtual void PlayMotion(bool loop) = 0;
    virtual void StopMotion() = 0;
    virtual bool IsMotionPlaying() const = 0;
};

// The picture kinds that cover the screen and keep no transform (the colour fill and
// the time-of-day background): every transform and effect operation does nothing and
// the getters give neutral values.
class CTalkFixedPicture : public CTalkPicture {
public:
    void Load() override {}
    void Update() override {}
    void SetPosition(int32_t, int32_t) override {}
    void SetScale(float, float, int32_t, int32_t) override {}
    void SetRotation(int32_t, int32_t, int32_t) override {}
    void SetAlpha(int32_t) override {}
    SPoint GetPosition() const override { return SPoint{}; }
    void GetScale(float*, float*, SPoint*) const override {}
    void GetRotation(int32_t*, SPoint*) const override {}
    int32_t GetAlpha() const override { return 0; }
    SSize GetSize() const override { return SSize{}; }
    bool DrawSmall() override {
        Draw();
        return true;
    }
    void SetInEffect(int32_t, int32_t) override {}
    void SetOutEffect(int32_t, int32_t) override {}
    void StartIn() override {}
    void Show() override {}
    void StartOut() override {}
    void Hide() override {}
    void ClearMotion() override {}
    void ParseMotion(const std::string&, const SMotionOut&) override {}
    void SetMotion(const std::string&) override {}
    void PlayMotion(bool) override {}
    void StopMotion() override {}
    bool IsMotionPlaying() const override { return false; }
};

// Opacity colour (a << 24) | 0xFFFFFF for an alpha held to 0..255.
inline uint32_t TalkAlphaColour(int32_t alpha) {
    const int32_t a = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
    return (static_cast<uint32_t>(a) << 24) | 0xFFFFFFu;
}
