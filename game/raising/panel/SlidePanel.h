#pragma once
// The in-game scene's notice card: a panel with the current date that slides into the
// top-left corner together with one of four pictures (items 1, 9, 20 and 22 of 23),
// stays (usually until its close timer runs out) and slides out again.  The scene owns
// one and drives it with Update and Draw each frame.
#include <array>
#include <cstdint>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"

class CSlidePanel {
public:
    static constexpr int kItemCount = 23;
    static constexpr int kSlideSteps = -20;  // easing out
    static constexpr int kFadeSteps = 20;
    enum EState { STATE_CLOSED = 0, STATE_OPENING = 1, STATE_OPEN = 2, STATE_CLOSING = 3 };

    // Loads the background, the three labels, the digit sheet (12 × 1 cells) and the
    // pictures of the four items that have one.
    CSlidePanel();
    virtual ~CSlidePanel() = default;
    CSlidePanel(const CSlidePanel&) = delete;
    CSlidePanel& operator=(const CSlidePanel&) = delete;

    // Starts an item sliding in; only items 1, 9, 20 and 22, and only when not opening
    // or open.
    void Open(int item);
    // Starts an opening or open item sliding out.
    void Close(int item);
    void CloseAll();
    // Every item closed at once, without sliding, and no timer left (a reset or restored game).
    void ClearValues();
    // The item closes by itself after `frames` updates.
    void SetCloseTimer(int item, int32_t frames);
    // Some item is opening or open.
    bool IsAnyOpen() const;

    void Update();
    void Draw();

    // The other names the in-game scene's callers use.
    void HideAll() { CloseAll(); }
    void Show(int item) { Open(item); }
    void SetValue(int item, int32_t frames) { SetCloseTimer(item, frames); }

    int GetState(int item) const;
    int32_t GetCloseTimer(int item) const;
    static bool HasPicture(int item);
    // The slide offset and opacity of an item (for its screen).
    int32_t GetOffsetX(int item) const;
    int32_t GetOffsetY(int item) const;
    int32_t GetAlpha(int item) const;

private:
    static bool _Valid(int item, const char* method);
    int32_t _Height() const;
    // False when the date stops this frame's drawing.
    bool _DrawItem(int item);

    CImagePlane m_Background;
    std::array<CImagePlane, 3> m_Labels;
    CImagePlane m_DigitsImage;
    CCellImage m_Digits;
    std::array<CImagePlane, kItemCount> m_Pictures;
    std::array<CCounterLinear, kItemCount> m_Alpha;
    std::array<CCounterAccel, kItemCount> m_OffsetX;
    std::array<CCounterAccel, kItemCount> m_OffsetY;
    std::array<int32_t, kItemCount> m_State{};
    std::array<int32_t, kItemCount> m_CloseTimer{};
};
