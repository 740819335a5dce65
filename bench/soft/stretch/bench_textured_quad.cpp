// The software graphics device's textured quad beside pixman, in one process.
//
// One full-screen quad (800 x 600 destination pixels) of a picture with an alpha
// channel (soft edges, clear and solid areas, as the wide background's colour-keyed
// picture), drawn with a bilinear filter over an opaque destination:
// - Scale156: a 512 x 384 picture stretched 1.5625 times, the wide background's scale;
// - Offset:   an 800 x 600 picture drawn 1:1 at a fractional offset (0.375, 0.625
//             texel), so that every pixel is filtered from four texels.
// Ours: the device's DrawPrimitiveUP of a triangle strip at pixel edges, as the engine
// draws pictures (texture × white diffuse, alpha blended with SRCALPHA / INVSRCALPHA,
// clamped addressing, linear filtering).  pixman's: pixman_image_composite32 with
// PIXMAN_OP_OVER, the same affine transform (scale or translation, pixel centres mapped
// as ours), PIXMAN_FILTER_BILINEAR and PIXMAN_REPEAT_PAD, a8r8g8b8 (premultiplied) onto
// x8r8g8b8.  Both read four texels per destination pixel and lay the result over the
// destination; our filter keeps 8-bit weights and rounds its horizontal pass, pixman's
// uses 7-bit weights.
//
// Each benchmark runs three times (unless --benchmark_repetitions says otherwise), the
// repetitions of all four in shuffled order; the summary gives destination megapixels
// per second of ours and pixman's and their ratio (above 1: ours is faster), min /
// median / max over the repetitions, the ratio taken repetition by repetition.
//
//   taskset -c 3 bench_textured_quad
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/soft/RateReporter.h"
#include "platform/gfx/GfxSystem.h"

#ifdef PG_HAVE_PIXMAN
#include <pixman.h>

#include "bench/soft/PixmanComposite.h"
#endif

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct SCase {
    const char* name;
    int textureWidth, textureHeight;
    double offsetX, offsetY;  // texels, pixman's translation
};
constexpr SCase kCases[] = {
    {"Scale156", 512, 384, 0.0, 0.0},
    {"Offset", kWidth, kHeight, 0.375, 0.625},
};

// Smooth gradients with noise and an alpha of clear, solid and soft areas (ARGB, not
// premultiplied).
std::vector<uint32_t> MakePicture(int w, int h) {
    std::vector<uint32_t> p(static_cast<size_t>(w) * static_cast<size_t>(h));
    std::mt19937 rng(7);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int band = (x + 2 * y) % 256;
            const uint32_t a = band < 96 ? 255u : band < 160 ? 0u : static_cast<uint32_t>((band - 160) * 255 / 95);
            const uint32_t r = static_cast<uint32_t>(x + (rng() & 15)) & 255, g = static_cast<uint32_t>(y + (rng() & 15)) & 255;
            const uint32_t b = static_cast<uint32_t>((x ^ y) + (rng() & 15)) & 255;
            p[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    return p;
}

void SetRate(benchmark::State& state) {
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight, benchmark::Counter::kIsRate);
}

void RunOurs(benchmark::State& state, const SCase& c) {
    std::unique_ptr<CGfxDevice> d;
    SGfxPresentParams params;
    params.backBufferWidth = kWidth;
    params.backBufferHeight = kHeight;
    if (CGfxSystem::CreateDevice(GFX_DEVTYPE_HAL, params, &d) != GFX_OK || !d) {
        state.SkipWithError("no device");
        return;
    }
    std::shared_ptr<CGfxTexture> tex;
    d->CreateTexture(static_cast<uint32_t>(c.textureWidth), static_cast<uint32_t>(c.textureHeight), 1, 0, GFX_FMT_A8R8G8B8,
                     GFX_POOL_MANAGED, &tex);
    const std::vector<uint32_t> picture = MakePicture(c.textureWidth, c.textureHeight);
    SGfxLockedRect lr;
    tex->LockRect(0, &lr, nullptr);
    for (int y = 0; y < c.textureHeight; ++y) {
        std::memcpy(static_cast<uint8_t*>(lr.bits) + static_cast<size_t>(y) * static_cast<size_t>(lr.pitch),
                    picture.data() + static_cast<size_t>(y) * static_cast<size_t>(c.textureWidth),
                    static_cast<size_t>(c.textureWidth) * 4);
    }
    tex->UnlockRect(0);
    d->SetRenderState(GFX_RS_CULLMODE, GFX_CULL_NONE);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 1);
    d->SetRenderState(GFX_RS_SRCBLEND, GFX_BLEND_SRCALPHA);
    d->SetRenderState(GFX_RS_DESTBLEND, GFX_BLEND_INVSRCALPHA);
    d->SetTextureStageState(0, GFX_TSS_COLOROP, GFX_TOP_MODULATE);
    d->SetTextureStageState(0, GFX_TSS_COLORARG1, GFX_TA_TEXTURE);
    d->SetTextureStageState(0, GFX_TSS_COLORARG2, GFX_TA_DIFFUSE);
    d->SetTextureStageState(0, GFX_TSS_ALPHAOP, GFX_TOP_MODULATE);
    d->SetTextureStageState(0, GFX_TSS_ALPHAARG1, GFX_TA_TEXTURE);
    d->SetTextureStageState(0, GFX_TSS_ALPHAARG2, GFX_TA_DIFFUSE);
    d->SetTextureStageState(0, GFX_TSS_MINFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_MAGFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSU, GFX_TADDRESS_CLAMP);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSV, GFX_TADDRESS_CLAMP);
    d->SetTexture(0, tex);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF204060u, 1.0f, 0);
    // Pixel centre x samples texel coordinate (x + 0.5) · size / extent + offset, as
    // pixman maps it.
    const float l = -0.5f, t = -0.5f, r = kWidth - 0.5f, b = kHeight - 0.5f;
    const float u0 = static_cast<float>(c.offsetX / c.textureWidth), v0 = static_cast<float>(c.offsetY / c.textureHeight);
    const float u1 = u0 + 1.0f, v1 = v0 + 1.0f;
    const SGfxVertex quad[4] = {
        {l, t, 0, 1, 0xFFFFFFFFu, u0, v0},
        {r, t, 0, 1, 0xFFFFFFFFu, u1, v0},
        {l, b, 0, 1, 0xFFFFFFFFu, u0, v1},
        {r, b, 0, 1, 0xFFFFFFFFu, u1, v1},
    };
    for (auto _ : state) {
        d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, quad, sizeof(SGfxVertex));
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

void BM_Quad_Scale156(benchmark::State& s) { RunOurs(s, kCases[0]); }
void BM_Quad_Offset(benchmark::State& s) { RunOurs(s, kCases[1]); }
BENCHMARK(BM_Quad_Scale156);
BENCHMARK(BM_Quad_Offset);

#ifdef PG_HAVE_PIXMAN
void RunPixman(benchmark::State& state, const SCase& c) {
    std::vector<uint32_t> src = MakePicture(c.textureWidth, c.textureHeight);
    for (uint32_t& p : src) {
        const uint32_t a = p >> 24;
        uint32_t out = a << 24;
        for (int shift = 0; shift < 24; shift += 8) out |= ((p >> shift & 255) * a / 255) << shift;
        p = out;
    }
    std::vector<uint32_t> dst(static_cast<size_t>(kWidth) * kHeight, 0xFF204060u);
    pixman_image_t* si = pixman_image_create_bits(PIXMAN_a8r8g8b8, c.textureWidth, c.textureHeight, src.data(),
                                                  c.textureWidth * 4);
    pixman_image_t* di = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, dst.data(), kWidth * 4);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(static_cast<double>(c.textureWidth) / kWidth),
                                pixman_double_to_fixed(static_cast<double>(c.textureHeight) / kHeight));
    pixman_transform_translate(&t, nullptr, pixman_double_to_fixed(c.offsetX), pixman_double_to_fixed(c.offsetY));
    pixman_image_set_transform(si, &t);
    pixman_image_set_filter(si, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(si, PIXMAN_REPEAT_PAD);
    TimePixmanComposite(state, PIXMAN_OP_OVER, si, di, dst.data(), kWidth, kHeight);
    SetRate(state);
}

void BM_Pixman_Scale156(benchmark::State& s) { RunPixman(s, kCases[0]); }
void BM_Pixman_Offset(benchmark::State& s) { RunPixman(s, kCases[1]); }
BENCHMARK(BM_Pixman_Scale156);
BENCHMARK(BM_Pixman_Offset);
#endif

void PrintSpread(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("   %s %.2f / %.2f / %.2f", what, v.front(), v[v.size() / 2], v.back());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    // Three repetitions, ours and pixman's taken in shuffled turns, so that a change of
    // load on a shared machine falls on both.
    std::string reps = "--benchmark_repetitions=3", interleave = "--benchmark_enable_random_interleaving=true";
    bool ownReps = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0) ownReps = false;
    }
    if (ownReps) {
        args.push_back(reps.data());
        args.push_back(interleave.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    CRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nDestination megapixels per second (min / median / max of the repetitions):\n");
    for (const SCase& c : kCases) {
        const std::vector<double>& ours = reporter.Rates(std::string("BM_Quad_") + c.name);
        const std::vector<double>& theirs = reporter.Rates(std::string("BM_Pixman_") + c.name);
        if (ours.empty()) continue;
        std::printf("  %-9s", c.name);
        PrintSpread("ours", ours);
        if (!theirs.empty()) {
            PrintSpread("  pixman", theirs);
            std::vector<double> ratio;
            for (size_t i = 0; i < std::min(ours.size(), theirs.size()); ++i) ratio.push_back(ours[i] / theirs[i]);
            PrintSpread("  ratio", ratio);
        }
        std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
