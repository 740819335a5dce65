#pragma once
// SDL key codes to the engine's virtual-key codes (WindowMessage.h).
#include <cstdint>

// 0 for keys the engine has no code for.
uint32_t PlatformKeyToVirtualKey(int32_t sdlKeycode);
// SDL mouse button (1 left, 2 middle, 3 right) to the virtual-key code (1 left,
// 4 middle, 2 right); 0 for other buttons.
uint32_t PlatformMouseButtonToVirtualKey(int32_t sdlButton);
