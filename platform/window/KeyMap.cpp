#include "platform/window/KeyMap.h"

#include <SDL.h>

#include "platform/window/WindowMessage.h"

uint32_t PlatformKeyToVirtualKey(int32_t key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<uint32_t>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<uint32_t>('0' + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VKey::kF1 + static_cast<uint32_t>(key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return VKey::kNumpad0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
    }
    switch (key) {
    case SDLK_KP_0: return VKey::kNumpad0;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: return VKey::kReturn;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VKey::kControl;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VKey::kShift;
    case SDLK_LALT:
    case SDLK_RALT: return VKey::kMenu;
    case SDLK_ESCAPE: return VKey::kEscape;
    case SDLK_SPACE: return VKey::kSpace;
    case SDLK_PAGEUP: return VKey::kPrior;
    case SDLK_PAGEDOWN: return VKey::kNext;
    case SDLK_END: return VKey::kEnd;
    case SDLK_HOME: return VKey::kHome;
    case SDLK_LEFT: return VKey::kLeft;
    case SDLK_UP: return VKey::kUp;
    case SDLK_RIGHT: return VKey::kRight;
    case SDLK_DOWN: return VKey::kDown;
    case SDLK_INSERT: return VKey::kInsert;
    case SDLK_DELETE: return VKey::kDelete;
    case SDLK_BACKSPACE: return VKey::kBack;
    case SDLK_TAB: return VKey::kTab;
    case SDLK_PAUSE: return VKey::kPause;
    default: return 0;
    }
}

uint32_t PlatformMouseButtonToVirtualKey(int32_t button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return VKey::kLButton;
    case SDL_BUTTON_RIGHT: return VKey::kRButton;
    case SDL_BUTTON_MIDDLE: return VKey::kMButton;
    default: return 0;
    }
}
