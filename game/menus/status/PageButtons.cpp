#include "game/menus/status/PageButtons.h"

#include "game/core/GameMain.h"
#include "game/core/SceneRequest.h"
#include "game/menus/kit/MenuSounds.h"

int32_t UpdatePageButtons(CGameMain& game, std::span<CImageButton> buttons) {
    int32_t clicked = -1;
    if (IsTopSceneInTransition()) {
        for (CImageButton& b : buttons) b.Update(-1, -1, false);
    } else if (IsCancelPressed()) {
        game.PlayChannel2();
        RequestReturnScene(1, 15);
        return kCancelled;
    } else {
        const SPoint at = game.GetMouse().GetPosition();
        const bool decide = IsDecidePressed();
        for (CImageButton& b : buttons) b.Update(at.x, at.y, decide);
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (PlayButtonSounds(game, buttons[i]) && clicked < 0) clicked = static_cast<int32_t>(i);
        }
    }
    for (CImageButton& b : buttons) b.Step();
    return clicked;
}
