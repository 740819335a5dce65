#pragma once
#include <cstdint>

// Sets the texture filter (1 point, 2 linear, 3 anisotropic) of the calling thread's
// screen renderer; nothing when the thread has no screen or renderer.
void SetMotionTextureFilter(int32_t minFilter, int32_t magFilter);
