#include "engine/adv/MotionRenderer.h"

#include "engine/base/AppManager.h"
#include "engine/d3d/Screen.h"

void SetMotionTextureFilter(int32_t minFilter, int32_t magFilter) {
    CScreen* screen = CAppManager::GetScreen(nullptr);
    if (!screen) {
        return;
    }
    if (CScreenRenderer* renderer = screen->GetRenderer()) {
        renderer->SetTextureFilter(static_cast<uint32_t>(minFilter), static_cast<uint32_t>(magFilter));
    }
}
