#include "game/menus/sample/SampleScenes.h"

#include "engine/draw/TextPlane.h"
#include "game/core/GameMain.h"
#include "game/menus/sample/BalloonSampleScene.h"
#include "game/menus/sample/EffectSampleScene.h"
#include "game/menus/sample/TextSampleScene.h"

namespace sample {

void WriteCaption(CTextPlane& plane, const std::string& text) {
    plane.GetFont().SetSize(16);
    plane.Write(text, 8);
}

void DrawCaption(CTextPlane& plane) { plane.Draw(kCaptionX, kCaptionY, 0xFFFFFFFFu); }

int32_t StepPage(CGameMain& game, int32_t page, bool* changed) {
    const CKeyboard& keys = game.GetKeyboard();
    *changed = false;
    if (keys.IsPressed(VKey::kLeft)) {
        page = page > 0 ? page - 1 : 0;
        *changed = true;
    }
    if (keys.IsPressed(VKey::kRight)) {
        ++page;
        *changed = true;
    }
    return page;
}

}  // namespace sample

std::unique_ptr<CSceneBase> CreateSampleScene(CGameMain& game, int32_t id) {
    switch (id) {
    case 27: return std::make_unique<CEffectSampleScene>(game);
    case 28: return std::make_unique<CTextSampleScene>(game);
    case 29: return std::make_unique<CBalloonSampleScene>(game);
    default: return nullptr;
    }
}
