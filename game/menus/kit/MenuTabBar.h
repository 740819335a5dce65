#pragma once
// The tab bar of the menu scenes: six buttons from "obj\c000_002.bmp" (6 × 5 cells,
// button i in column i) at (8 + 48 i, 48), leading to the save screen (8), the load
// screen (9), the picture viewer (12), the play view (14), the music room (15) and the
// settings menu (16) by a go-to with a fade over 15 frames.
//
// The screen's own button is on and cannot be clicked.  The save button is locked
// while no game is in progress; with the replay flag set buttons 0 to 4 are locked.
// While a top-level transition runs no button gets the pointer.
#include <array>
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"

class CGameMain;

class CMenuTabBar {
public:
    static constexpr int kCount = 6;
    static constexpr const char* kSheet = "obj\\c000_002.bmp";
    static constexpr int32_t kScenes[kCount] = {8, 9, 12, 14, 15, 16};
    static constexpr int32_t kTransition = 1;
    static constexpr int32_t kFrames = 15;

    // What the screens using the bar change.
    struct SOptions {
        // The screens of the save and load family show no highlight (display option 0).
        bool highlight = true;
        // Buttons cleared after set-up (no picture: not drawn, never hit); the settings
        // menu clears 2 to 4.
        std::array<bool, kCount> cleared{};
        // Every button but the own one locked (the clear-data modes).
        bool lockOthers = false;
    };

    // Loads the sheet, sets up and places the buttons, switches the own button (-1:
    // none) on and applies the locks.
    void Load(CGameMain& game, int32_t own, const SOptions& options);
    void Load(CGameMain& game, int32_t own);
    // The locks of the game's present state: save without a game in progress, 0 to 4
    // under the replay flag.
    void ApplyLocks(CGameMain& game);
    // The frame's pointer, the step and the sounds; a click requests its scene, selects
    // the button and applies the locks again.  The index clicked, or -1.  Without
    // `pointer` (a screen busy with something else) no button gets the pointer.
    int32_t Update(CGameMain& game, bool pointer = true);
    // Plain draws, or drawn through a matrix (the screens that slide in).
    void Draw(uint32_t colour = 0xFFFFFFFFu);
    void Draw(uint32_t colour, const CMatrix4& matrix);
    void Restore();

    CImageButton& GetButton(int i) { return m_Buttons[static_cast<size_t>(i)]; }
    int32_t GetOwn() const { return m_Own; }

private:
    void _Select(int32_t index);

    CImagePlane m_Sheet;
    std::array<CImageButton, kCount> m_Buttons;
    int32_t m_Own = -1;
    SOptions m_Options;
};
