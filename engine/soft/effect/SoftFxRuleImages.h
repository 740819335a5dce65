#pragma once
// The two rule images of the effect library, each one CMaskImage that lives from
// start-up to exit: the rule of the single-surface rule wipe (CSurfaceEffectBlitter
// mode 4) and the shared mask of the three-surface mask blend (CEffectBlitter mode 2).
// The effects only read them; until one is loaded its effect draws nothing.
#include <string>

class CMaskImage;

// The rule image of the single-surface rule wipe.
CMaskImage& GetEffectRuleImage();
// The mask of the three-surface mask blend.
CMaskImage& GetSharedEffectMask();

// Load a picture file (BMP or PNG, through CImageFile) into the image at the picture's
// own size.  The threshold (the soft edge's width) is left as it was; set it with
// CMaskImage::SetThreshold.  On failure the image is left empty and a line is logged.
bool LoadEffectRuleImage(const std::string& path);
bool LoadSharedEffectMask(const std::string& path);

// Empty both images.
void ReleaseEffectRuleImages();
