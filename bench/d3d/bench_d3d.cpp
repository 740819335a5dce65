// One typical frame drawn through the device into the 800 × 600 back buffer: a
// background, three figures with alpha, a message window at 80 % opacity and 60
// glyphs.  Variants: the scalar kernels, and a frame of rotated filtered quads (the
// general path).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DTexture.h"
#include "platform/gfx/GfxSpan.h"

namespace {

struct SScene {
    CD3DDevice device;
    CD3DTexture background;
    CD3DTexture figures[3];
    CD3DTexture window;
    CD3DTexture glyphs[10];
};

void Fill(CD3DTexture& t, const std::function<uint32_t(uint32_t, uint32_t)>& f) {
    SGfxLockedRect lr;
    t.Lock(&lr);
    for (uint32_t y = 0; y < t.GetHeight(); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(lr.bits) + y * lr.pitch);
        for (uint32_t x = 0; x < t.GetWidth(); ++x) row[x] = f(x, y);
    }
    t.Unlock();
}

std::unique_ptr<SScene> MakeScene() {
    auto s = std::make_unique<SScene>();
    if (!s->device.Create(nullptr)) return nullptr;
    std::mt19937 rng(1);
    s->background.Create(&s->device, 800, 600);
    Fill(s->background, [&](uint32_t, uint32_t) { return 0xFF000000u | (rng() & 0xFFFFFF); });
    for (auto& f : s->figures) {
        f.Create(&s->device, 400, 600);
        // An opaque figure in a transparent frame, with an anti-aliased rim.
        Fill(f, [&](uint32_t x, uint32_t y) {
            double dx = (x - 200.0) / 150.0, dy = (y - 320.0) / 280.0;
            double r = std::sqrt(dx * dx + dy * dy);
            uint32_t a = r < 0.97 ? 255u : r > 1.0 ? 0u : static_cast<uint32_t>((1.0 - r) / 0.03 * 255.0);
            return (a << 24) | (rng() & 0xFFFFFF);
        });
    }
    s->window.Create(&s->device, 780, 150);
    Fill(s->window, [&](uint32_t x, uint32_t y) { return 0xFF000000u | ((x ^ y) & 0xFF) * 0x010101u; });
    for (auto& g : s->glyphs) {
        g.Create(&s->device, 24, 24);
        Fill(g, [&](uint32_t, uint32_t) {
            uint32_t r = rng() % 4;
            uint32_t a = r == 0 ? 0u : r == 1 ? 255u : (rng() & 255);
            return (a << 24) | 0xFFFFFF;
        });
    }
    return s;
}

void Frame(SScene& s, bool rotated) {
    CD3DDevice& d = s.device;
    d.BeginScene();
    if (!rotated) {
        s.background.DrawAt(0, 0);
        for (int i = 0; i < 3; ++i) s.figures[i].DrawAt(-50 + 250 * i, 0);
        s.window.DrawAt(10, 440, 0xCCFFFFFFu);
        for (int i = 0; i < 60; ++i) s.glyphs[i % 10].DrawAt(40 + (i % 30) * 24, 470 + (i / 30) * 30, 0xFFFFFFFFu);
    } else {
        d.SetTextureFilter(0, GFX_TEXF_LINEAR, GFX_TEXF_LINEAR);
        const double a = 0.05, c = std::cos(a), sn = std::sin(a);
        auto draw = [&](const CD3DTexture& t, float x, float y, uint32_t color) {
            float w = static_cast<float>(t.GetWidth()), h = static_cast<float>(t.GetHeight());
            SGfxVertex v[4];
            const float us[4] = {0, 1, 0, 1}, vs[4] = {0, 0, 1, 1};
            for (int k = 0; k < 4; ++k) {
                double px = us[k] * w - w / 2, py = vs[k] * h - h / 2;
                v[k] = {static_cast<float>(x + w / 2 + px * c - py * sn), static_cast<float>(y + h / 2 + px * sn + py * c), 0, 1,
                        color, us[k], vs[k]};
            }
            t.Draw(GFX_PT_TRIANGLESTRIP, 2, v);
        };
        draw(s.background, 0, 0, 0xFFFFFFFFu);
        for (int i = 0; i < 3; ++i) draw(s.figures[i], -50.0f + 250.0f * i, 0, 0xFFFFFFFFu);
        draw(s.window, 10, 440, 0xCCFFFFFFu);
        d.SetTextureFilter(0, GFX_TEXF_POINT, GFX_TEXF_POINT);
    }
    d.EndScene();
}

void BM_TypicalFrame(benchmark::State& state) {
    GfxSetSimdEnabled(state.range(0) != 0);
    auto s = MakeScene();
    if (!s) {
        state.SkipWithError("no device");
        return;
    }
    for (auto _ : state) {
        Frame(*s, false);
    }
    state.SetItemsProcessed(state.iterations());
    GfxSetSimdEnabled(true);
}
BENCHMARK(BM_TypicalFrame)->Arg(1)->Arg(0)->ArgName("sse2")->Unit(benchmark::kMillisecond);

void BM_RotatedFilteredFrame(benchmark::State& state) {
    auto s = MakeScene();
    if (!s) {
        state.SkipWithError("no device");
        return;
    }
    for (auto _ : state) {
        Frame(*s, true);
    }
}
BENCHMARK(BM_RotatedFilteredFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
