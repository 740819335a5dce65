#include "game/menus/sample/SampleScenes.h"

#include "engine/base/Keyboard.h"
#include "engine/draw/TextPlane.h"
#include "game/menus/sample/BalloonSampleScene.h"
#include "game/menus/sample/EffectSampleScene.h"
#include "game/menus/sample/LetterViewerScene.h"
#include "game/menus/sample/TextSampleScene.h"

namespace sample {

void WriteCaption(CTextPlane& plane, const std::string& text) {
    plane.GetFont().SetSize(16);
    plane.Write(text, 8);
}

void DrawCaption(CTextPlane& plane) { plane.Draw(kCaptionX, kCaptionY, 0xFFFFFFFFu); }

bool StepByKeys(const CKeyboard& keys, uint32_t lessKey, uint32_t moreKey, int32_t* value) {
    const bool less = keys.IsPressed(lessKey);
    const bool more = keys.IsPressed(moreKey);
    if (less && *value > 0) {
        --*value;
    }
    if (more) {
        ++*value;
    }
    return less || more;
}

}  // namespace sample

std::unique_ptr<CSceneBase> CreateSampleScene(CGameMain& game, int32_t id) {
    switch (id) {
    case 26: return std::make_unique<CLetterViewerScene>(game, MakeKeptLetterViewerStage(game));
    case 27: return std::make_unique<CEffectSampleScene>(game);
    case 28: return std::make_unique<CTextSampleScene>(game);
    case 29: return std::make_unique<CBalloonSampleScene>(game);
    default: return nullptr;
    }
}
