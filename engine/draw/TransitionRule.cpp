#include "engine/draw/TransitionRule.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/base/Random.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/draw/TransitionDraw.h"
#include "engine/draw/TransitionMask.h"
#include "engine/image/MaskImage.h"

namespace {

constexpr int32_t kSlat = 40;    // slat width of the blinds
constexpr int32_t kSquare = 50;  // square size of blind 5
constexpr float kSoftEdge = 0.25f;

uint8_t Ramp(int32_t at, int32_t span) {
    return static_cast<uint8_t>(span <= 1 ? 0 : at * 255 / (span - 1));
}

}  // namespace

CTransitionRule::CTransitionRule(EPattern pattern, int32_t variant, bool soft)
    : m_Pattern(pattern), m_Variant(variant), m_Soft(soft) {}

std::vector<uint8_t> CTransitionRule::MakeRule(EPattern pattern, int32_t variant, int32_t w, int32_t h) {
    std::vector<uint8_t> rule(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    auto at = [&](int32_t x, int32_t y) -> uint8_t& { return rule[static_cast<size_t>(y) * w + x]; };
    if (pattern == PATTERN_SHARED) {
        const CMaskImage& mask = GetTransitionMask();
        int32_t mw = 0, mh = 0;
        mask.GetSize(&mw, &mh);
        const uint8_t* bits = mask.GetBits();
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                if (bits && mw > 0 && mh > 0) {
                    // Nearest pixel centre when the rule picture has another size.
                    int32_t sx = static_cast<int32_t>((static_cast<int64_t>(x) * 2 + 1) * mw / (2 * w));
                    int32_t sy = static_cast<int32_t>((static_cast<int64_t>(y) * 2 + 1) * mh / (2 * h));
                    at(x, y) = bits[static_cast<size_t>(sy) * mask.GetPitch() + sx];
                } else {
                    at(x, y) = Ramp(x, w);
                }
            }
        }
        return rule;
    }
    if (pattern == PATTERN_NOISE) {
        int32_t b = std::max(1, variant);
        int32_t bw = (w + b - 1) / b, bh = (h + b - 1) / b;
        CRandom random(0x5EED0000u + static_cast<uint32_t>(b));
        std::vector<uint8_t> blocks(static_cast<size_t>(bw) * bh);
        for (uint8_t& v : blocks) v = static_cast<uint8_t>(random.Random(256));
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) at(x, y) = blocks[static_cast<size_t>(y / b) * bw + x / b];
        }
        return rule;
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint8_t v = 0;
            switch (variant) {
            case 1:  // horizontal slats opening downwards
                v = Ramp(y % kSlat, kSlat);
                break;
            case 2:  // vertical slats opening rightwards
                v = Ramp(x % kSlat, kSlat);
                break;
            case 3:  // horizontal slats opening from their middles
                v = Ramp(std::abs(2 * (y % kSlat) - (kSlat - 1)) / 2, kSlat / 2);
                break;
            case 4:  // vertical slats opening from their middles
                v = Ramp(std::abs(2 * (x % kSlat) - (kSlat - 1)) / 2, kSlat / 2);
                break;
            case 5: {  // squares growing from their centres
                int32_t dx = std::abs(2 * (x % kSquare) - (kSquare - 1)) / 2;
                int32_t dy = std::abs(2 * (y % kSquare) - (kSquare - 1)) / 2;
                v = Ramp(std::max(dx, dy), kSquare / 2);
                break;
            }
            default:  // diagonal slats
                v = Ramp((x + y) % kSlat, kSlat);
                break;
            }
            at(x, y) = v;
        }
    }
    return rule;
}

bool CTransitionRule::_Prepare(const STransitionContext& c) {
    if (m_Pattern == PATTERN_SHARED) {
        m_Edge = GetTransitionMask().GetThreshold() / 255.0f;
    } else {
        m_Edge = m_Soft ? kSoftEdge : 0.0f;
    }
    int32_t w = static_cast<int32_t>(c.width), h = static_cast<int32_t>(c.height);
    // Made once per transition: the shared rule picture is read as it stands when the
    // transition first draws.
    if (m_Rule.Exists() && m_Rule.GetDevice() == c.device) {
        return true;
    }
    if (!m_Rule.Create(c.device, static_cast<uint32_t>(w), static_cast<uint32_t>(h))) {
        return false;
    }
    std::vector<uint8_t> rule = MakeRule(m_Pattern, m_Variant, w, h);
    std::vector<uint32_t> argb(rule.size());
    for (size_t i = 0; i < rule.size(); ++i) argb[i] = 0xFF000000u | rule[i];
    CD3DSurface surface;
    return m_Rule.GetSurface(&surface) &&
           D3DXLoadSurfaceFromArgb(&surface, nullptr, argb.data(), static_cast<uint32_t>(w), static_cast<uint32_t>(h),
                                   static_cast<uint32_t>(w), nullptr, D3DX_FILTER_NONE, 0);
}

bool CTransitionRule::Draw(const STransitionContext& c, int32_t progress) {
    if (!_Prepare(c)) {
        return false;
    }
    CD3DDevice* d = c.device;
    transdraw::SetOpaque(d);
    bool ok = transdraw::Full(d, c.outgoing, c.width, c.height, 0xFFFFFFFFu);
    uint32_t handle = 0;
    if (!d->CreatePixelShader(GFX_PS_RULE, &handle)) {
        return false;
    }
    const float c0[4] = {0, 0, 0, progress / 1024.0f};
    const float c1[4] = {0, 0, 0, m_Edge};
    d->SetAlphaBlend(true, GFX_BLEND_SRCALPHA, GFX_BLEND_INVSRCALPHA);
    d->SetTexture(1, &m_Rule);
    d->SetTextureFilter(1, GFX_TEXF_POINT, GFX_TEXF_POINT);
    d->SetTextureAddressMode(1, GFX_TADDRESS_CLAMP, GFX_TADDRESS_CLAMP);
    d->SetPixelShader(handle);
    d->SetPixelShaderConstant(0, c0, 1);
    d->SetPixelShaderConstant(1, c1, 1);
    ok = transdraw::Full(d, c.incoming, c.width, c.height, 0xFFFFFFFFu) && ok;
    d->SetPixelShader(0);
    d->SetTexture(1, nullptr);
    return ok;
}
