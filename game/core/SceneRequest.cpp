#include "game/core/SceneRequest.h"

#include "engine/base/Keyboard.h"
#include "engine/base/Log.h"
#include "engine/base/Mouse.h"
#include "engine/draw/SceneManager.h"
#include "game/core/GameMain.h"

namespace {

CSceneManager* TopManager(const char* who, int32_t id) {
    CGameMain* game = GetGameMain();
    if (!game) {
        DebugPrintf("%s ゲームオブジェクトがありません[id:%d]", who, id);
        return nullptr;
    }
    return &game->GetSceneManager();
}

}  // namespace

bool RequestGotoScene(int32_t id, int32_t transition, int32_t frames) {
    CSceneManager* m = TopManager("RequestGotoScene()", id);
    if (!m) return false;
    m->GoTo(id);
    m->Transition(transition, frames);
    return true;
}

bool RequestCallScene(int32_t id, int32_t transition, int32_t frames) {
    CSceneManager* m = TopManager("RequestCallScene()", id);
    if (!m) return false;
    m->Call(id);
    m->Transition(transition, frames);
    return true;
}

bool RequestCallSceneKeep(int32_t id, int32_t transition, int32_t frames) {
    CSceneManager* m = TopManager("RequestCallSceneKeep()", id);
    if (!m) return false;
    m->CallKeep(id);
    m->Transition(transition, frames);
    return true;
}

bool RequestReturnScene(int32_t transition, int32_t frames) {
    CSceneManager* m = TopManager("RequestReturnScene()", -1);
    if (!m) return false;
    m->Return();
    m->Transition(transition, frames);
    return true;
}

bool IsTopSceneInTransition() {
    CGameMain* game = GetGameMain();
    return game && game->GetSceneManager().IsInTransition();
}

bool IsDecidePressed(const CKeyboard& keyboard, const CMouse& mouse) {
    return mouse.IsPressed(CMouse::kLeft) || keyboard.IsPressed(VKey::kSpace);
}

bool IsCancelPressed(const CKeyboard& keyboard, const CMouse& mouse) {
    return mouse.IsPressed(CMouse::kRight) || keyboard.IsPressed(VKey::kReturn) || keyboard.IsPressed(VKey::kEscape);
}

bool IsDecidePressed() {
    CGameMain* game = GetGameMain();
    return game && IsDecidePressed(game->GetKeyboard(), game->GetMouse());
}

bool IsCancelPressed() {
    CGameMain* game = GetGameMain();
    return game && IsCancelPressed(game->GetKeyboard(), game->GetMouse());
}
