// The screens of the mansion's modes 0 and 5, handed to the mansion side's hosts.
#include "game/raising/mansionmenu/MansionMenuScene.h"
#include "game/raising/mansionmenu/ShopScene.h"

std::unique_ptr<CMansionMenuScreen> MakeMansionMenuScreen(CMansionHostMode& host) {
    return std::make_unique<CMansionMenuScene>(host);
}

std::unique_ptr<CShopScreen> MakeShopScreen(CMansionHostMode& host) { return std::make_unique<CShopScene>(host); }
