#include "game/menus/kit/MenuSounds.h"

#include "game/core/Button.h"
#include "game/core/GameMain.h"

bool PlayButtonSounds(CGameMain& game, const CButton& button) {
    if (button.HoverBegan()) {
        game.PlayChannel1();
    }
    if (!button.BecameChecked()) {
        return false;
    }
    game.PlayChannel0();
    return true;
}
