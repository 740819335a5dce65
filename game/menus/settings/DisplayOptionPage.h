#pragma once
// Page 0 of the settings menu, the one shown on entry: the screen mode (window, or
// full screen at 16 or 32 bits per pixel) and the four option switches.  A mode
// choice switches the window at once (and the menu's cancel button switches it back);
// a change of the window made elsewhere (the information page, the system) is taken
// into the settings and into the menu's entry copy, so that the cancel button keeps it.
#include <array>
#include <cstdint>

#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"

class CDisplayOptionPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 0;
    static constexpr int kButtonCount = 12;
    static constexpr const char* kBackgroundFile = "obj\\c000_028.bmp";
    static constexpr std::array<SPoint, kButtonCount> kPlaces = {
        SPoint{248, 157}, SPoint{384, 157}, SPoint{248, 205}, SPoint{384, 205}, SPoint{248, 253}, SPoint{384, 253},
        SPoint{248, 309}, SPoint{384, 309}, SPoint{248, 357}, SPoint{384, 357}, SPoint{248, 405}, SPoint{384, 405}};
    static constexpr std::array<int32_t, kButtonCount> kColumns = {0, 1, 2, 3, 4, 5, 4, 5, 4, 5, 4, 5};

    explicit CDisplayOptionPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) {}

    void Load() override;
    void Update() override;
    void Refresh() override;

    const CButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }

protected:
    std::span<CButton> Buttons() override { return m_Buttons; }

private:
    void _Press(int button);

    std::array<CButton, kButtonCount> m_Buttons;
    int32_t m_LastScreenMode = 0;
};
