#pragma once
// The household's place by time of day: the base picture with five small animated
// details (strips of three frames cross-faded into each other), each shown once the
// running game's status flag (14, k) for it is set.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/stage/talk/TalkObject.h"

class CTimeOfDayBg {
public:
    static constexpr int kStripCount = 5;
    enum EStrip { STRIP_A = 0, STRIP_B = 1, STRIP_C = 2, STRIP_D = 3, STRIP_ET = 4 };

    // Time 0 morning, 1 evening, 2 night; any other loads nothing.  Frames go back to 0.
    void Load(int32_t time);
    void Release();
    bool IsLoaded() const { return m_Base.IsLoaded(); }
    void Update();
    void Draw();

    int32_t GetFrame(int strip) const { return m_Frame[static_cast<size_t>(strip)]; }
    int32_t GetFade(int strip) const { return m_Fade[static_cast<size_t>(strip)].GetValue(); }

private:
    CImagePlane m_Base;
    std::array<CImagePlane, kStripCount> m_Strips;
    std::array<CCellImage, kStripCount> m_Cells;
    CImagePlane m_Extra;
    std::array<int32_t, kStripCount> m_Frame{};
    std::array<CCounterLinear, kStripCount> m_Fade;
};

class CTalkTimeBg : public CTalkFixedPicture {
public:
    void Update() override { m_Scene.Update(); }
    void Draw() override { m_Scene.Draw(); }
    void Release() override { m_Scene.Release(); }
    bool IsLoaded() const override { return m_Scene.IsLoaded(); }

    // True when the base picture is loaded.
    bool LoadTime(int32_t time) {
        m_Scene.Load(time);
        return m_Scene.IsLoaded();
    }
    const CTimeOfDayBg& GetScene() const { return m_Scene; }

private:
    CTimeOfDayBg m_Scene;
};
