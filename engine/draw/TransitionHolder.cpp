#include "engine/draw/TransitionHolder.h"

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/draw/TransitionBasic.h"
#include "engine/draw/TransitionBlur.h"
#include "engine/draw/TransitionDirect.h"
#include "engine/draw/TransitionDraw.h"
#include "engine/draw/TransitionMosaic.h"
#include "engine/draw/TransitionRule.h"
#include "engine/draw/TransitionTriangle.h"
#include "engine/draw/TransitionWave.h"
#include "engine/draw/TransitionZoom.h"

namespace {

const char* const kNames[CTransitionHolder::kCount] = {
    "Trans_None",           "Trans_Fade",               "Trans_BitmapFade",        "Trans_Bit1",
    "Trans_Bit2",           "Trans_Bit3",               "Trans_Mosaic1",           "Trans_MosaicFade1",
    "Trans_Mosaic2",        "Trans_MosaicFade2",        "Trans_Mosaic3",           "Trans_MosaicFade3",
    "Trans_Wave1",          "Trans_Wave2",              "Trans_Wave3",             "Trans_Wave4",
    "Trans_Wave5",          "Trans_Wave6",              "Trans_Zoom1",             "Trans_ZoomFade1",
    "Trans_Zoom2",          "Trans_ZoomFade2",          "Trans_RotateZoom1",       "Trans_RotateZoomFade1",
    "Trans_RotateZoom2",    "Trans_RotateZoomFade2",    "Trans_RotateZoom3",       "Trans_RotateZoomFade3",
    "Trans_RotateZoom4",    "Trans_RotateZoomFade4",    "Trans_TriangleBreak1",    "Trans_TriangleBreakFade1",
    "Trans_TriangleBreak2", "Trans_TriangleBreakFade2", "Trans_TriangleBreak3",    "Trans_TriangleBreakFade3",
    "Trans_TriangleBreak4", "Trans_TriangleBreakFade4", "Trans_Blur1",             "Trans_Blur2",
    "Trans_Blur3",          "Trans_Blind1",             "Trans_BlindFade1",        "Trans_Blind2",
    "Trans_BlindFade2",     "Trans_Blind3",             "Trans_BlindFade3",        "Trans_Blind4",
    "Trans_BlindFade4",     "Trans_Blind5",             "Trans_BlindFade5",        "Trans_Blind6",
    "Trans_BlindFade6",     "Trans_Zoom3",
};

std::unique_ptr<CTransition> Make(int32_t index) {
    if (index == CTransitionHolder::kDirect) return std::make_unique<CTransitionDirect>();
    if (index == 0) return std::make_unique<CTransitionNone>();
    if (index == 1) return std::make_unique<CTransitionFade>();
    if (index == 2) return std::make_unique<CTransitionRule>(CTransitionRule::PATTERN_SHARED, 0, true);
    if (index >= 3 && index <= 5) {
        static const int32_t kBlocks[3] = {1, 4, 16};
        return std::make_unique<CTransitionRule>(CTransitionRule::PATTERN_NOISE, kBlocks[index - 3], false);
    }
    if (index >= 6 && index <= 11) {
        static const int32_t kBlocks[3] = {16, 32, 64};
        return std::make_unique<CTransitionMosaic>(kBlocks[(index - 6) / 2], (index - 6) % 2 == 1);
    }
    if (index >= 12 && index <= 17) return std::make_unique<CTransitionWave>(index - 11);
    if (index >= 18 && index <= 21) {
        return std::make_unique<CTransitionZoom>(index <= 19 ? CTransitionZoom::ZOOM_IN : CTransitionZoom::ZOOM_OUT, index % 2 == 1);
    }
    if (index >= 22 && index <= 29) {
        static const CTransitionZoom::EKind kKinds[4] = {CTransitionZoom::ROTATE_IN_CW, CTransitionZoom::ROTATE_IN_CCW,
                                                         CTransitionZoom::ROTATE_IN_TWICE, CTransitionZoom::ROTATE_OUT};
        return std::make_unique<CTransitionZoom>(kKinds[(index - 22) / 2], (index - 22) % 2 == 1);
    }
    if (index >= 30 && index <= 37) return std::make_unique<CTransitionTriangle>((index - 30) / 2 + 1, (index - 30) % 2 == 1);
    if (index >= 38 && index <= 40) return std::make_unique<CTransitionBlur>(index - 37);
    if (index >= 41 && index <= 52) {
        return std::make_unique<CTransitionRule>(CTransitionRule::PATTERN_BLIND, (index - 41) / 2 + 1, (index - 41) % 2 == 1);
    }
    if (index == 53) return std::make_unique<CTransitionZoom>(CTransitionZoom::ZOOM_THROUGH, false);
    return nullptr;
}

}  // namespace

CTransitionHolder::CTransitionHolder() = default;

CTransitionHolder::~CTransitionHolder() = default;

const char* CTransitionHolder::GetName(int32_t index) {
    if (index == kDirect) return "Trans_Direct";
    if (index < 0 || index >= kCount) return nullptr;
    return kNames[index];
}

bool CTransitionHolder::Create(int32_t index) {
    m_Transition = Make(index);
    if (!m_Transition) {
        DebugPrintf("CTransitionHolder::Create() トランジション番号が不正です[%d]", index);
        m_Index = 0;
        return false;
    }
    m_Index = index;
    return true;
}

bool CTransitionHolder::_Begin(CRenderTarget& target, bool* flag) {
    m_Scope.End();
    CD3DDevice* device = GetDrawDevice();
    if (!device || !target.Prepare(device) || !m_Scope.Begin(device, target.GetTexture(), true, 0xFF000000u)) {
        return false;
    }
    m_Capturing = true;
    *flag = false;
    return true;
}

namespace {
// What the scenes drew may leave the alpha of the target below 255 where they
// blended: the pictures are opaque, so that drawing one gives exactly its colours.
void MakeOpaque(CD3DTexture& texture) {
    // Drawn afresh: whatever a reset took from it is back.
    texture.ClearContentLost();
    SGfxLockedRect locked;
    if (!texture.Lock(&locked)) {
        return;
    }
    // The size read once: a loop bound the compiler can trust becomes vector code.
    const uint32_t width = texture.GetWidth(), height = texture.GetHeight();
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.bits) + static_cast<size_t>(y) * locked.pitch);
        for (uint32_t x = 0; x < width; ++x) row[x] |= 0xFF000000u;
    }
    texture.Unlock();
}
}  // namespace

bool CTransitionHolder::BeginOutgoing() { return _Begin(m_Outgoing, &m_HasOutgoing); }

bool CTransitionHolder::EndOutgoing() {
    if (!m_Capturing) return false;
    m_Scope.End();
    m_Capturing = false;
    MakeOpaque(m_Outgoing.GetTexture());
    m_HasOutgoing = true;
    return true;
}

bool CTransitionHolder::BeginIncoming() { return _Begin(m_Incoming, &m_HasIncoming); }

bool CTransitionHolder::EndIncoming() {
    if (!m_Capturing) return false;
    m_Scope.End();
    m_Capturing = false;
    MakeOpaque(m_Incoming.GetTexture());
    m_HasIncoming = true;
    return true;
}

void CTransitionHolder::ClearCaptures() {
    m_HasOutgoing = false;
    m_HasIncoming = false;
}

bool CTransitionHolder::Draw(int32_t progress) {
    CD3DDevice* device = GetDrawDevice();
    if (!device || m_Capturing) {
        return false;
    }
    progress = progress < 0 ? 0 : progress > kProgressMax ? kProgressMax : progress;
    // A picture lost with the device (its texture made again empty) is not drawn.
    bool hasOut = m_HasOutgoing && m_Outgoing.Exists() && !m_Outgoing.GetTexture().IsContentLost();
    bool hasIn = m_HasIncoming && m_Incoming.Exists() && !m_Incoming.GetTexture().IsContentLost();
    if (!m_Scratch.Prepare(device)) {
        return false;
    }
    STransitionContext context;
    context.device = device;
    context.outgoing = &m_Outgoing.GetTexture();
    context.incoming = &m_Incoming.GetTexture();
    context.width = static_cast<float>(m_Outgoing.Exists() ? m_Outgoing.GetWidth() : 800);
    context.height = static_cast<float>(m_Outgoing.Exists() ? m_Outgoing.GetHeight() : 600);
    context.scratch = &m_Scratch;

    uint32_t oldMin = device->GetTextureStageState(0, GFX_TSS_MINFILTER);
    uint32_t oldMag = device->GetTextureStageState(0, GFX_TSS_MAGFILTER);
    bool ok = false;
    if (m_Transition && m_Transition->DrawsEnds()) {
        ok = m_Transition->Draw(context, progress);
    } else if (progress == 0 || (!hasIn && hasOut)) {
        if (hasOut) {
            transdraw::SetOpaque(device);
            transdraw::SetFilter(device, GFX_TEXF_POINT);
            ok = transdraw::Full(device, context.outgoing, context.width, context.height, 0xFFFFFFFFu);
        }
    } else if (progress == kProgressMax || !hasOut || !m_Transition) {
        if (hasIn) {
            transdraw::SetOpaque(device);
            transdraw::SetFilter(device, GFX_TEXF_POINT);
            ok = transdraw::Full(device, context.incoming, context.width, context.height, 0xFFFFFFFFu);
        }
    } else {
        ok = m_Transition->Draw(context, progress);
    }
    // Back to the engine's states for whatever draws next.
    device->SetPixelShader(0);
    device->SetTexture(1, nullptr);
    device->SetAlphaBlend(true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA);
    device->SetTextureFilter(0, oldMin, oldMag);
    return ok;
}

bool CTransitionHolder::ShowsIncoming(int32_t progress) const {
    return (m_Transition && m_Transition->DrawsEnds()) || progress > 0;
}

void CTransitionHolder::Release() {
    m_Scope.End();
    m_Capturing = false;
    m_Transition.reset();
    m_Outgoing.Release();
    m_Incoming.Release();
    m_Scratch.Release();
    ClearCaptures();
}
