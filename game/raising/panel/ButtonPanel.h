#pragma once
// The two-button confirmation panel that screens lay over themselves: a background with
// button 0 (upper) and button 1 (lower), in one of eight fixed types.  It fades in while
// sliding down into place and fades out sliding further down; the end of closing
// releases its pictures, so an owner sets a type up again before each Open.  The owner
// feeds it the pointer each frame and reads the buttons' events; the panel decides
// nothing about the answer.
#include <array>
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/raising/panel/PanelMotion.h"
#include "game/raising/panel/PanelState.h"

class CButtonPanel : public CPanelState {
public:
    static constexpr int kSteps = 10;
    static constexpr int32_t kSlide = 100;

    CButtonPanel() = default;
    ~CButtonPanel() override;
    CButtonPanel(const CButtonPanel&) = delete;
    CButtonPanel& operator=(const CButtonPanel&) = delete;

    // Records the type; types 1 to 8 load their pictures and place both (momentary)
    // buttons.  True in every case; the state does not change.
    bool SetupPanelButtons(int32_t type);

    void Open();
    void Close();
    // Open at once (a restored screen that was showing the panel).
    void SetOpen();
    // Closed, every picture released.
    void Release();
    int32_t GetType() const { return m_Type; }
    int32_t GetMode() const { return m_Type; }

    // The frame's pointer; the buttons get none unless the panel is open.
    void SetCursor(int32_t x, int32_t y, bool decide);
    // i = 0 or 1 (false for another index).
    bool HoverBegan(int i) const;
    bool BecameChecked(int i) const;

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    const CImageButton& GetButton(int i) const { return m_Buttons[i == 0 ? 0 : 1]; }
    int32_t GetOffset() const { return m_Motion.GetOffset(); }
    int32_t GetAlpha() const { return m_Motion.GetAlpha(); }

private:
    int32_t m_Type = 0;
    CImagePlane m_Background;
    std::array<CImageButton, 2> m_Buttons;
    CImagePlane m_ButtonSheet;
    int32_t m_X = 0;
    int32_t m_Y = 0;
    CPanelMotion m_Motion;
};
