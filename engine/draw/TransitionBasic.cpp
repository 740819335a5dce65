#include "engine/draw/TransitionBasic.h"

#include "engine/draw/TransitionDraw.h"

bool CTransitionNone::Draw(const STransitionContext& c, int32_t) {
    transdraw::SetOpaque(c.device);
    return transdraw::Full(c.device, c.incoming, c.width, c.height, 0xFFFFFFFFu);
}

bool CTransitionFade::Draw(const STransitionContext& c, int32_t progress) {
    transdraw::SetOpaque(c.device);
    bool ok = transdraw::Full(c.device, c.outgoing, c.width, c.height, 0xFFFFFFFFu);
    transdraw::SetBlended(c.device);
    return transdraw::Full(c.device, c.incoming, c.width, c.height, transdraw::Alpha(progress / 1024.0f)) && ok;
}
