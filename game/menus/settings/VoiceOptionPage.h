#pragma once
// Page 3 of the settings menu: the voice of each of the 16 speaker classes on or off.
// Button n belongs to switch n / 2 (even n ON, odd n OFF); switches 0 to 7 form the
// left column, 8 to 15 the right one.
#include <array>
#include <cstdint>

#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"

class CVoiceOptionPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 3;
    static constexpr int kButtonCount = 32;
    static constexpr const char* kBackgroundFile = "obj\\c000_031.bmp";
    static constexpr int32_t kOnColumn = 4;
    static constexpr int32_t kOffColumn = 5;
    // The ON and OFF pictures end this far left of their cells' right edge: the buttons
    // answer only where they show.
    static constexpr int32_t kRightMargin = 45;
    static SPoint Place(int n) { return SPoint{184 + 88 * (n % 2) + (n >= 16 ? 384 : 0), 157 + 32 * ((n / 2) % 8)}; }

    explicit CVoiceOptionPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) {}

    void Load() override;
    void Update() override;
    void Refresh() override;

    const CButton& GetButton(int n) const { return m_Buttons[static_cast<size_t>(n)]; }

protected:
    std::span<CButton> Buttons() override { return m_Buttons; }

private:
    std::array<CButton, kButtonCount> m_Buttons;
};
