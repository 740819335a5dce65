#pragma once
// The message window's box: the picture along the bottom of the screen that slides up
// to open and down to close, dims while balloons speak, and carries the row of 17
// buttons that rise into place while the cursor stays in the bottom band.
//
// Open state: 0 closed, 1 opening, 2 open, 3 closing.  Dim state: 0 dimmed,
// 1 brightening, 2 normal, 3 dimming.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/stage/message/MessagePart.h"

class CMessageWindow;

class CMessageBox : public CMessagePart {
public:
    enum EOpenState : int32_t { OPEN_CLOSED = 0, OPEN_OPENING = 1, OPEN_OPEN = 2, OPEN_CLOSING = 3 };
    enum EDimState : int32_t { DIM_DIMMED = 0, DIM_BRIGHTENING = 1, DIM_NORMAL = 2, DIM_DIMMING = 3 };
    static constexpr int32_t kButtonCount = 17;
    static constexpr int32_t kTop = 416;
    static constexpr int32_t kClosedOffset = 184;
    static constexpr int32_t kSlideSteps = 20;
    static constexpr int32_t kDimSteps = 10;
    static constexpr int32_t kDimLevel = 50;
    static constexpr int32_t kButtonDrop = 70;  // how far below their places the buttons wait
    static constexpr int32_t kRevealMax = 1024;
    static constexpr int32_t kRevealStep = 32;
    static constexpr int32_t kRevealInput = 256;  // the buttons take input from here on
    static constexpr int32_t kBandTop = 540;      // the bottom band of the screen
    static constexpr int32_t kOffScreen = -500;

    // Loads the box picture and the button sheets and places the buttons; with the
    // branch switch, buttons 0, 1 and 14 to 16 are put off the screen.
    CMessageBox(CGameMain* game, CSceneBase* owner, bool branch, CMessageWindow* window);

    // --- the box's moves (the window's requests) ---
    void OpenSlide();
    void OpenNow();
    void CloseSlide();
    void CloseNow();
    // Dims for a balloon: at once while closed, over 10 steps while shown.
    void Dim();

    // --- the button bar ---
    // The cursor for the buttons.  `balloonOpen`: some balloon is open; `extraOn`: the
    // fourth option byte of the system data.
    void HandleInput(int32_t x, int32_t y, bool press, bool balloonOpen, bool extraOn);
    // The buttons of the current set, raised or lowered by the reveal.
    void DrawButtons(bool extraOn);
    void SetDarkened(bool on);
    bool IsDarkened() const { return m_Darkened; }
    void EnableExtraButtons() { m_ExtraButtons = true; }
    void SetExtraButtons(bool on) { m_ExtraButtons = on; }
    int32_t GetReveal() const { return m_Reveal; }
    void SetReveal(int32_t value) { m_Reveal = value; }
    int32_t GetButtonOffset() const { return m_ButtonOffset.GetValue(); }
    // Button i (0 to 16), or null.
    CImageButton* GetButton(int32_t index);
    // The first button that took the press this frame, or −1.
    int32_t GetPressedButton() const { return m_Pressed; }

    // --- state ---
    int32_t GetOpenState() const { return m_OpenState; }
    int32_t GetDimState() const { return m_DimState; }
    int32_t GetOpenLevel() const { return m_OpenLevel; }
    int32_t GetDimLevel() const { return m_DimLevel; }
    int32_t GetOffset() const { return m_Offset; }
    int32_t GetBaseAlpha() const { return m_BaseAlpha; }
    // Held to 0..255.
    void SetBaseAlpha(int32_t alpha);
    // The box picture's opacity now: ((open level × base alpha) / 100 × dim level) / 100.
    int32_t GetAlpha() const;
    bool IsClosed() const { return m_OpenState == OPEN_CLOSED; }
    bool IsOpen() const { return m_OpenState == OPEN_OPEN; }
    bool IsMoving() const { return m_OpenState == OPEN_OPENING || m_OpenState == OPEN_CLOSING; }
    CImagePlane& GetPicture() { return m_Picture; }
    CMessageWindow* GetWindow() const { return m_Window; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    void LoadFrames();
    void _BackToNormal();
    bool _TakesInput(int32_t index, bool balloonOpen, bool extraOn) const;

    CMessageWindow* m_Window;
    CImagePlane m_Picture;
    std::array<CImagePlane, 3> m_Sheets;
    std::array<CImageButton, kButtonCount> m_Buttons;
    int32_t m_BaseAlpha = 255;
    int32_t m_OpenLevel = 0;
    int32_t m_DimLevel = 100;
    int32_t m_Offset = kClosedOffset;
    CCounterLinear m_OpenCounter;
    CCounterLinear m_DimCounter;
    CCounterLinear m_SlideCounter;
    CCounterLinear m_ButtonOffset;
    int32_t m_OpenState = OPEN_CLOSED;
    int32_t m_DimState = DIM_NORMAL;
    bool m_Branch;
    bool m_Darkened = false;
    bool m_ExtraButtons = true;
    int32_t m_Reveal = 0;
    int32_t m_Pressed = -1;
};
