#pragma once
// Page 4 of the settings menu: what the cancel input (right button, Enter, Esc) does
// in the scenario scenes, one of five actions.
#include <array>
#include <cstdint>

#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"

class CCancelActionPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 4;
    static constexpr int kButtonCount = 5;
    static constexpr const char* kBackgroundFile = "obj\\c000_032.bmp";
    static constexpr int32_t kFirstColumn = 9;
    static SPoint Place(int k) { return SPoint{104 + 120 * k, 240}; }

    explicit CCancelActionPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) {}

    void Load() override;
    void Update() override;
    void Refresh() override;

    const CButton& GetButton(int i) const { return m_Buttons[static_cast<size_t>(i)]; }

protected:
    std::span<CButton> Buttons() override { return m_Buttons; }

private:
    std::array<CButton, kButtonCount> m_Buttons;
};
