#pragma once
// Mansion modes 0 and 5: the hosts of the menu screen and of the shop screen.  The
// screens themselves derive from CMansionMenuScreen and CShopScreen, which tell the
// hosts what their updates depend on; MakeMansionMenuScreen / MakeShopScreen build them.
//
// Both screens lie over the whole stage, message window included.  Both hosts share
// the stage with their screen: while the screen waits on the stage the stage takes the
// frame first; while the screen is the one taking input, the screen runs first and the
// stage then runs with the keyboard's and mouse's input suppressed.
#include <cstdint>
#include <memory>

#include "game/raising/mansion/MansionMode.h"

// The menu screen the bell host holds.
class CMansionMenuScreen : public CMansionMode {
public:
    using CMansionMode::CMansionMode;
    // A list panel of the menu is open (it then takes the input before the stage).
    virtual bool IsPanelOpen() const = 0;
};

// The shop screen the shop host holds.
class CShopScreen : public CMansionMode {
public:
    using CMansionMode::CMansionMode;
    // The shop's step: 0 and 1 are its first-visit script, on the stage.
    virtual int32_t GetStep() const = 0;
};

// The screens of modes 0 and 5; null until the screen exists.
std::unique_ptr<CMansionMenuScreen> MakeMansionMenuScreen(CMansionHostMode& host);
std::unique_ptr<CShopScreen> MakeShopScreen(CMansionHostMode& host);

// Mode 0.  Without a menu screen the mansion side ends at once (as the menu's end
// choice does), so that the month goes on.
class CBellHostMode : public CModeHostState {
public:
    CBellHostMode(CMansionHostMode& host, std::unique_ptr<CMansionMenuScreen> menu);

    void Update() override;
    // The stage's thumbnail pass with the menu over it.
    void PrepareThumbnail() override;

    CMansionMenuScreen* GetMenu() const { return m_Menu; }

private:
    CMansionHostMode& m_Host;
    CMansionMenuScreen* m_Menu;  // owned as the host's screen
    bool m_Left = false;
};

// Mode 5.  Without a shop screen it goes straight back to the menu.
class CShopHostMode : public CModeHostState {
public:
    CShopHostMode(CMansionHostMode& host, std::unique_ptr<CShopScreen> shop);
    // The shop locks the stage's cancel while it is open; leaving it gives the cancel back.
    ~CShopHostMode() override;

    void Update() override;
    // The shop alone once open; the stage's thumbnail pass during its first-visit script.
    void PrepareThumbnail() override;

    CShopScreen* GetShop() const { return m_Shop; }

private:
    CMansionHostMode& m_Host;
    CShopScreen* m_Shop;  // owned as the host's screen
    bool m_Left = false;
};

// The stage's update with the keyboard and mouse input suppressed (input mode 2), then
// normal input again (0): the screen over it has already taken this frame's input.
void UpdateStageWithoutInput(CRaisingScene& scene);
