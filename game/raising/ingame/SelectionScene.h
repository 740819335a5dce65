#pragma once
// The selection screen of a "select" event: up to five picture buttons over the stage,
// sliding in, one click, sliding out.  The in-game scene writes the choice count and
// the picture of the first choice into the game state and opens it
// (LoadSelectionPicture); the screen writes the chosen index into the game state at
// the press and reports IsDone once it has closed.  The in-game scene keeps one host
// (mode 3) for its whole life and drives it itself while a selection is shown.
#include <array>
#include <cstdint>
#include <string>

#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/raising/ingame/ButtonGroup.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/panel/PanelMotion.h"

class CSelectionScene : public CModeState {
public:
    enum EState : int32_t { STATE_CLOSED = 0, STATE_OPENING = 1, STATE_OPEN = 2, STATE_CLOSING = 3 };
    static constexpr int kButtonCount = SButtonGroup::kButtonCount;
    static constexpr const char* kFramePicture = "obj\\b001_000.bmp";
    static constexpr int32_t kFrameX = 224;
    static constexpr int32_t kFrameY = 192;
    static constexpr int32_t kButtonX = 264;

    using CModeState::CModeState;

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    // The stage's thumbnail pass, then the screen.
    void PrepareThumbnail() override;

    // Opens the screen for the game state's choice count and picture.
    void LoadSelectionPicture();
    bool IsDone() const { return m_Done; }
    // Releases the pictures.
    void Unload();

    int32_t GetState() const { return m_State; }
    const CImageButton& GetButton(int i) const { return m_Group.buttons[static_cast<size_t>(i)]; }
    // The y of each button for n choices; n of six or more is placed as five.
    static bool ButtonRows(int32_t n, std::array<int32_t, kButtonCount>* rows, int* count);

private:
    CImagePlane m_Frame;
    CImagePlane m_Sheet;
    // The choices are the group's five buttons; its first and last widget stay empty.
    SButtonGroup m_Group;
    int32_t m_State = STATE_CLOSED;
    CPanelMotion m_Motion;
    bool m_Done = false;
};

// Mode 3: the selection screen over the stage (the name CSelectionModeState is the same
// class).
class CSelectionHostMode : public CModeHostState {
public:
    explicit CSelectionHostMode(CRaisingScene& owner);
    CSelectionScene& GetSelection() { return *static_cast<CSelectionScene*>(m_Screen.get()); }
};
using CSelectionModeState = CSelectionHostMode;
