#pragma once
// Scene 29, a developer screen: four speech balloons opening and closing over and
// over, each with its own opening and closing effect and frame style; the left and
// right arrow keys page through the effect numbers by fours.  A balloon that has
// closed stays closed for 31 frames, then opens again.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/draw/ImagePlane.h"
#include "game/menus/sample/PagedSampleScene.h"

class CBalloonWindow;

class CBalloonSampleScene : public CPagedSampleScene {
public:
    static constexpr int32_t kBalloons = 4;
    static constexpr int32_t kStyles = 9;
    static constexpr int32_t kEffectFrames = 30;
    // A closed balloon opens again once it has counted more than this many frames.
    static constexpr int32_t kClosedFrames = 30;

    explicit CBalloonSampleScene(CGameMain& game);
    ~CBalloonSampleScene() override;

    void OnDeviceRestored() override;
    // Every balloon again with effects 4 × page to 4 × page + 3, opened from closed.
    void RefreshBalloons();

    CBalloonWindow& GetBalloon(int32_t i) { return *m_Balloons[static_cast<size_t>(i)]; }
    int32_t GetWaitFrames(int32_t i) const { return m_WaitFrames[static_cast<size_t>(i)]; }

protected:
    void LoadItems() override;
    void ShowPage() override { RefreshBalloons(); }
    void StepItems() override;
    void DrawItems() override;

private:
    CImagePlane m_FramePicture;
    // After the picture they cut their shapes from, so that they go first.
    std::array<std::unique_ptr<CBalloonWindow>, kBalloons> m_Balloons;
    std::array<int32_t, kBalloons> m_WaitFrames{};
};
