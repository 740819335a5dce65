#include "engine/draw/TransitionMosaic.h"

#include <algorithm>
#include <cstdlib>

#include "engine/d3d/D3DDevice.h"
#include "engine/draw/RenderTarget.h"
#include "engine/draw/TransitionDraw.h"

int32_t CTransitionMosaic::BlockAt(int32_t maxBlock, int32_t progress) {
    // Rises to the largest block at 512 and falls back to single pixels at the ends.
    int32_t distance = 512 - std::abs(512 - progress);
    return std::max(1, 1 + (maxBlock - 1) * distance / 512);
}

bool CTransitionMosaic::Draw(const STransitionContext& c, int32_t progress) {
    CD3DDevice* d = c.device;
    int32_t block = BlockAt(m_MaxBlock, progress);
    int32_t w = static_cast<int32_t>(c.width), h = static_cast<int32_t>(c.height);
    int32_t sw = (w + block - 1) / block, sh = (h + block - 1) / block;
    float bw = static_cast<float>(sw * block), bh = static_cast<float>(sh * block);
    transdraw::SetFilter(d, GFX_TEXF_POINT);
    bool ok = true;
    auto mosaic = [&](const CD3DTexture* picture, float colourAlpha, bool first) {
        if (block <= 1 || !c.scratch || !c.scratch->Prepare(d, static_cast<uint32_t>(w), static_cast<uint32_t>(h))) {
            first ? transdraw::SetOpaque(d) : transdraw::SetBlended(d);
            ok = transdraw::Full(d, picture, c.width, c.height, transdraw::Alpha(colourAlpha)) && ok;
            return;
        }
        {
            // One texel per block, sampled at the block's centre.
            CRenderTargetScope scope;
            if (!scope.Begin(d, c.scratch->GetTexture(), false)) {
                ok = false;
                return;
            }
            transdraw::SetOpaque(d);
            ok = transdraw::Rect(d, picture, 0, 0, static_cast<float>(sw), static_cast<float>(sh), 0, 0, bw, bh, 0xFFFFFFFFu) && ok;
        }
        first ? transdraw::SetOpaque(d) : transdraw::SetBlended(d);
        ok = transdraw::Rect(d, &c.scratch->GetTexture(), 0, 0, bw, bh, 0, 0, static_cast<float>(sw), static_cast<float>(sh),
                             transdraw::Alpha(colourAlpha)) &&
             ok;
    };
    if (m_Fade) {
        mosaic(c.outgoing, 1.0f, true);
        mosaic(c.incoming, progress / 1024.0f, false);
    } else {
        mosaic(progress < 512 ? c.outgoing : c.incoming, 1.0f, true);
    }
    return ok;
}
