#include "engine/soft/effect/SoftFxRuleImages.h"

#include "engine/base/Log.h"
#include "engine/image/MaskImage.h"

namespace {
// Built empty before main and freed at exit; nothing else owns them.
CMaskImage g_EffectRuleImage;
CMaskImage g_SharedEffectMask;

bool _Load(CMaskImage& image, const std::string& path, const char* name) {
    if (!image.LoadFromFile(path)) {
        DebugPrintf("%s() ルール画像を読み込めません[%s]", name, path.c_str());
        return false;
    }
    return true;
}
}  // namespace

CMaskImage& GetEffectRuleImage() { return g_EffectRuleImage; }
CMaskImage& GetSharedEffectMask() { return g_SharedEffectMask; }

bool LoadEffectRuleImage(const std::string& path) { return _Load(g_EffectRuleImage, path, "LoadEffectRuleImage"); }
bool LoadSharedEffectMask(const std::string& path) { return _Load(g_SharedEffectMask, path, "LoadSharedEffectMask"); }

void ReleaseEffectRuleImages() {
    g_EffectRuleImage.Release();
    g_SharedEffectMask.Release();
}
