#pragma once
// How screens switch scenes, and the two common input tests.  Every request queues
// a scene command for the calling thread's top-level scene manager followed by a
// transition command (index, frames; a plain cut is (0, 0)); both take effect at the
// start of the next frame's update.  Without a game object the request is logged
// and false.
#include <cstdint>

class CKeyboard;
class CMouse;

bool RequestGotoScene(int32_t id, int32_t transition, int32_t frames);
// The caller is destroyed and made again when the called scene returns.
bool RequestCallScene(int32_t id, int32_t transition, int32_t frames);
// The caller stays alive, suspended, and is resumed on return.
bool RequestCallSceneKeep(int32_t id, int32_t transition, int32_t frames);
bool RequestReturnScene(int32_t transition, int32_t frames);

// True while the top-level scene manager runs a transition.
bool IsTopSceneInTransition();

// The mouse's decide (left) button or Space was pressed this frame.
bool IsDecidePressed();
bool IsDecidePressed(const CKeyboard& keyboard, const CMouse& mouse);
// The mouse's cancel (right) button, Enter or Esc was pressed this frame.
bool IsCancelPressed();
bool IsCancelPressed(const CKeyboard& keyboard, const CMouse& mouse);
