#pragma once
// Page 5 of the settings menu: an information picture with a three-digit number and a
// button that opens the maker's web site in the user's browser, leaving full screen
// first.  It edits no setting, so the defaults button leaves it alone.
#include <array>
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "game/core/Button.h"
#include "game/menus/settings/MenuPage.h"

class CInfoPage : public CMenuPage {
public:
    static constexpr int32_t kPageId = 5;
    static constexpr const char* kBackgroundFile = "obj\\c000_033.bmp";
    static constexpr const char* kLinkSheet = "obj\\c000_039.bmp";
    static constexpr const char* kDigitSheet = "obj\\c000_038.bmp";
    static constexpr SPoint kBackgroundAt{72, 88};
    static constexpr SPoint kLinkAt{248, 312};
    static constexpr int32_t kDigitColumns = 11;
    // The digits shown and their places (their rows differ by a pixel or two).
    static constexpr std::array<int32_t, 3> kDigits = {1, 0, 0};
    static constexpr std::array<SPoint, 3> kDigitPlaces = {SPoint{486, 169}, SPoint{521, 168}, SPoint{544, 170}};
    // Our own placeholder until the maker's address is known.
    static constexpr const char* kAddress = "https://niwa.example.org/";

    explicit CInfoPage(CSystemMenuScene& owner) : CMenuPage(owner, kPageId) { m_BackgroundAt = kBackgroundAt; }

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void RefreshForDefaults() override {}

    const CButton& GetLinkButton() const { return m_Link; }

protected:
    std::span<CButton> Buttons() override { return {&m_Link, 1}; }

private:
    CButton m_Link;
    CImagePlane m_LinkSheet;
    CImagePlane m_DigitSheet;
    std::array<CCellImage, 3> m_DigitCells;
};
