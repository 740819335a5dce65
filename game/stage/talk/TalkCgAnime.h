#pragma once
// An animated picture: a horizontal strip cut into equal frames, each a still picture
// of its own that gets every transform, effect and motion; the frames take turns,
// cross-faded when blending is on.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "game/stage/talk/TalkCgImage.h"

class CTalkCgAnime : public CTalkPicture {
public:
    CTalkCgAnime();
    ~CTalkCgAnime() override;

    void Load() override {}
    void Update() override;
    void Draw() override;
    // Cuts the frames from the strip again.
    void OnDeviceRestored() override;

    void SetPosition(int32_t x, int32_t y) override;
    void SetScale(float sx, float sy, int32_t cx, int32_t cy) override;
    void SetRotation(int32_t angle, int32_t cx, int32_t cy) override;
    void SetAlpha(int32_t level) override;
    SPoint GetPosition() const override;
    void GetScale(float* sx, float* sy, SPoint* centre) const override;
    void GetRotation(int32_t* angle, SPoint* centre) const override;
    int32_t GetAlpha() const override;
    SSize GetSize() const override;
    bool DrawSmall() override;

    void Release() override;
    bool IsLoaded() const override { return !m_Frames.empty(); }
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
    bool IsMotionPlaying() const override;

    // Cuts the strip into `frameCount` frames (held to 1..the strip's width); false
    // when the strip cannot be loaded, which leaves no frame.
    bool LoadAnime(const std::string& file, int32_t frameCount, bool blend);
    // Above 1: frames skipped ahead per update; 1 or less: updates per frame, |wait|,
    // with the cross-fade over them.  0 is stored as 1.
    void SetFrameWait(int32_t wait);

    int32_t GetFrameCount() const { return m_FrameCount; }
    int32_t GetCurrentFrame() const { return m_Current; }
    int32_t GetFrameWait() const { return m_Wait; }
    CTalkCgImage* GetFrame(size_t index) const { return index < m_Frames.size() ? m_Frames[index].get() : nullptr; }
    // The frame counter's value 0..255 (the cross-fade's progress).
    int32_t GetFadeValue() const { return m_Counter.GetValue(); }

private:
    template <typename F>
    void _ForEach(F f) {
        for (auto& frame : m_Frames) f(*frame);
    }
    // Copies each frame's section of the strip into its picture.
    void _Cut(const CImagePlane& strip);
    int32_t _Previous() const;

    CImagePlane m_Plane;
    int32_t m_FrameCount = 0;
    int32_t m_Wait = 0;
    bool m_Blend = false;
    std::vector<std::unique_ptr<CTalkCgImage>> m_Frames;
    std::string m_Name;
    int32_t m_Current = 0;
    CCounterLinear m_Counter;
};
