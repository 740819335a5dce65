// Golden pixels of the rasteriser: 1:1 copies, fill rule, addressing, filtering,
// formats, culling and clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/gfx/GfxSpan.h"
#include "tests/platform/gfx/GfxTestUtil.h"

using namespace gfxtest;

TEST(GfxRaster, UnscaledQuadCopiesTexelsExactlyAndTakesTheFastPath) {
    auto d = MakeDevice(64, 48);
    ASSERT_TRUE(d);
    const uint32_t tw = 37, th = 23;
    auto texels = RandomPixels(tw * th, 11);
    auto tex = MakeTexture(*d, tw, th, texels);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF102030u);
    d->SetTexture(0, tex);
    SGfxVertex v[4];
    Quad(v, 5 - 0.5f, 7 - 0.5f, 5 + tw - 0.5f, 7 + th - 0.5f, 0, 0, 1, 1);
    uint64_t fast = d->GetFastQuadCount();
    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);
    EXPECT_EQ(d->GetFastQuadCount(), fast + 1);
    for (uint32_t y = 0; y < 48; ++y) {
        for (uint32_t x = 0; x < 64; ++x) {
            bool inside = x >= 5 && x < 5 + tw && y >= 7 && y < 7 + th;
            uint32_t want = inside ? texels[(y - 7) * tw + (x - 5)] : 0xFF102030u;
            ASSERT_EQ(Pixel(*d, x, y), want) << x << "," << y;
        }
    }
}

TEST(GfxRaster, TrianglesOneByOneDrawWhatTheQuadPathDraws) {
    auto texels = RandomPixels(32 * 32, 5);
    // Edges between pixel centres, on them, and at odd fractions.
    for (float off : {0.5f, 0.0f, 0.3f}) {
        std::vector<uint32_t> results[4];
        for (int mode = 0; mode < 4; ++mode) {
            auto d = MakeDevice(48, 48);
            auto tex = MakeTexture(*d, 32, 32, texels);
            d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
            d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 1);
            d->SetRenderState(GFX_RS_SRCBLEND, GFX_BLEND_SRCALPHA);
            d->SetRenderState(GFX_RS_DESTBLEND, GFX_BLEND_INVSRCALPHA);
            d->SetTexture(0, tex);
            SGfxVertex v[4];
            Quad(v, 3 + off, 4 + off, 35 + off, 36 + off, 0, 0, 1, 1, 0xC0FFFFFFu);
            if (mode == 0) {
                d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
            } else if (mode == 1) {
                // Each triangle alone: the general path.
                SGfxVertex a[3] = {v[0], v[1], v[2]}, b[3] = {v[1], v[3], v[2]};
                d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, a, sizeof(SGfxVertex));
                d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, b, sizeof(SGfxVertex));
            } else if (mode == 2) {
                SGfxVertex f[4] = {v[0], v[1], v[3], v[2]};
                d->DrawPrimitiveUP(GFX_PT_TRIANGLEFAN, 2, f, sizeof(SGfxVertex));
            } else {
                // A strip whose first triangle is degenerate is no quad: its second
                // triangle alone must fill the first half.
                SGfxVertex s[4] = {v[1], v[1], v[0], v[2]}, b[3] = {v[1], v[3], v[2]};
                d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, s, sizeof(SGfxVertex));
                d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, b, sizeof(SGfxVertex));
            }
            results[mode] = BackBuffer(*d);
        }
        EXPECT_EQ(results[0], results[1]) << off;
        EXPECT_EQ(results[0], results[2]) << off;
        EXPECT_EQ(results[0], results[3]) << off;
    }
}

TEST(GfxRaster, TopLeftRuleCoversEveryPixelOfAMeshExactlyOnce) {
    auto d = MakeDevice(64, 64);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0x00000000u);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 1);
    d->SetRenderState(GFX_RS_SRCBLEND, GFX_BLEND_ONE);
    d->SetRenderState(GFX_RS_DESTBLEND, GFX_BLEND_ONE);
    d->SetVertexShader(GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE);
    struct SV {
        float x, y, z, rhw;
        uint32_t c;
    };
    // A 6 × 6 grid over (4, 4)-(60, 60) with jittered inner points, some on pixel
    // centres and edges exactly.
    std::mt19937 rng(3);
    SV grid[7][7];
    for (int j = 0; j < 7; ++j) {
        for (int i = 0; i < 7; ++i) {
            float x = 4.0f + i * 56.0f / 6, y = 4.0f + j * 56.0f / 6;
            if (i > 0 && i < 6) x += static_cast<float>(rng() % 9) * 0.5f - 2.0f;
            if (j > 0 && j < 6) y += static_cast<float>(rng() % 9) * 0.5f - 2.0f;
            grid[j][i] = SV{x, y, 0, 1, 0x01010101u};
        }
    }
    for (int j = 0; j < 6; ++j) {
        for (int i = 0; i < 6; ++i) {
            SV t[6] = {grid[j][i], grid[j][i + 1], grid[j + 1][i], grid[j][i + 1], grid[j + 1][i + 1], grid[j + 1][i]};
            if ((i + j) % 2) {  // the other diagonal
                SV u[6] = {grid[j][i], grid[j][i + 1], grid[j + 1][i + 1], grid[j][i], grid[j + 1][i + 1], grid[j + 1][i]};
                std::copy(u, u + 6, t);
            }
            for (int k = 0; k < 2; ++k) {
                ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, t + 3 * k, sizeof(SV)), GFX_OK);
            }
        }
    }
    // The mesh's outline is the rectangle (4, 4)-(60, 60): pixels 4..59.
    for (uint32_t y = 0; y < 64; ++y) {
        for (uint32_t x = 0; x < 64; ++x) {
            uint32_t want = (x >= 4 && x < 60 && y >= 4 && y < 60) ? 0x010101u : 0u;  // the back buffer has no alpha
            ASSERT_EQ(Pixel(*d, x, y) & 0xFFFFFFu, want) << x << "," << y;
        }
    }
}

TEST(GfxRaster, EdgesOnPixelCentresFollowTheTopLeftRule) {
    auto d = MakeDevice(16, 16);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetVertexShader(GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE);
    struct SV {
        float x, y, z, rhw;
        uint32_t c;
    } v[4] = {{2, 3, 0, 1, 0xFFFFFFFFu}, {6, 3, 0, 1, 0xFFFFFFFFu}, {2, 8, 0, 1, 0xFFFFFFFFu}, {6, 8, 0, 1, 0xFFFFFFFFu}};
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SV));
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 16; ++x) {
            bool in = x >= 2 && x < 6 && y >= 3 && y < 8;  // left and top inclusive
            ASSERT_EQ(Pixel(*d, x, y), in ? 0xFFFFFFFFu : 0u) << x << "," << y;
        }
    }
}

TEST(GfxRaster, WrapAndClampAddressing) {
    const std::vector<uint32_t> texels = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006,
                                          0xFF000007, 0xFF000008, 0xFF000009, 0xFF00000A, 0xFF00000B, 0xFF00000C,
                                          0xFF00000D, 0xFF00000E, 0xFF00000F, 0xFF000010};
    for (uint32_t mode : {GFX_TADDRESS_WRAP, GFX_TADDRESS_CLAMP, GFX_TADDRESS_MIRROR}) {
        auto d = MakeDevice(12, 12);
        auto tex = MakeTexture(*d, 4, 4, texels);
        d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
        d->SetTextureStageState(0, GFX_TSS_ADDRESSU, mode);
        d->SetTextureStageState(0, GFX_TSS_ADDRESSV, mode);
        d->SetTexture(0, tex);
        SGfxVertex v[4];
        // u and v from -1 to 2: twelve texels over twelve pixels.
        Quad(v, -0.5f, -0.5f, 11.5f, 11.5f, -1, -1, 2, 2);
        d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                auto addr = [mode](int i) {
                    if (mode == GFX_TADDRESS_WRAP) return ((i % 4) + 4) % 4;
                    if (mode == GFX_TADDRESS_CLAMP) return std::clamp(i, 0, 3);
                    int m = ((i % 8) + 8) % 8;
                    return m < 4 ? m : 7 - m;
                };
                uint32_t want = texels[addr(y - 4) * 4 + addr(x - 4)];
                ASSERT_EQ(Pixel(*d, x, y), want) << "mode " << mode << " at " << x << "," << y;
            }
        }
    }
}

namespace {
// The scalar model of a bilinear sample with clamped addressing.
double RefSample(const std::vector<uint32_t>& tex, int w, int h, double s, double t, int shift) {
    s -= 0.5;
    t -= 0.5;
    int i0 = static_cast<int>(std::floor(s)), j0 = static_cast<int>(std::floor(t));
    double fx = s - i0, fy = t - j0;
    auto at = [&](int i, int j) {
        i = std::clamp(i, 0, w - 1);
        j = std::clamp(j, 0, h - 1);
        return static_cast<double>((tex[j * w + i] >> shift) & 255);
    };
    return (at(i0, j0) * (1 - fx) + at(i0 + 1, j0) * fx) * (1 - fy) + (at(i0, j0 + 1) * (1 - fx) + at(i0 + 1, j0 + 1) * fx) * fy;
}
}  // namespace

TEST(GfxRaster, RotatedScaledQuadMatchesTheScalarModelWithinTolerance) {
    const int tw = 16, th = 16;
    std::vector<uint32_t> texels(tw * th);
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) texels[y * tw + x] = 0xFF000000u | ((x * 16) << 16) | ((y * 16) << 8) | ((x * y) & 255);
    auto d = MakeDevice(64, 64);
    auto tex = MakeTexture(*d, tw, th, texels);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetTextureStageState(0, GFX_TSS_MINFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_MAGFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSU, GFX_TADDRESS_CLAMP);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSV, GFX_TADDRESS_CLAMP);
    d->SetTexture(0, tex);
    // The texture scaled 2.5 times and turned 30° about (32, 32).
    const double angle = 30.0 * 3.14159265358979 / 180.0, scale = 2.5;
    const double c = std::cos(angle) * scale, s = std::sin(angle) * scale;
    auto place = [&](double u, double v, SGfxVertex* out) {
        double px = (u - 0.5) * tw, py = (v - 0.5) * th;
        out->x = static_cast<float>(32 + px * c - py * s);
        out->y = static_cast<float>(32 + px * s + py * c);
        out->z = 0;
        out->rhw = 1;
        out->color = 0xFFFFFFFFu;
        out->u = static_cast<float>(u);
        out->v = static_cast<float>(v);
    };
    SGfxVertex v[4];
    place(0, 0, &v[0]);
    place(1, 0, &v[1]);
    place(0, 1, &v[2]);
    place(1, 1, &v[3]);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    int compared = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            // Inverse of the placement: pixel centre to texel coordinates.
            double dx = x - 32.0, dy = y - 32.0;
            double px = (dx * c + dy * s) / (scale * scale), py = (-dx * s + dy * c) / (scale * scale);
            double ts = px + tw / 2.0, tt = py + th / 2.0;
            if (ts < 0.5 || tt < 0.5 || ts > tw - 0.5 || tt > th - 0.5) continue;  // keep clear of the edges
            uint32_t got = Pixel(*d, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            for (int shift = 0; shift < 24; shift += 8) {
                double want = RefSample(texels, tw, th, ts, tt, shift);
                ASSERT_NEAR(static_cast<double>((got >> shift) & 255), want, 2.5) << x << "," << y << " shift " << shift;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(GfxRaster, LinearFilteringOfAnAlignedQuadCopiesTexels) {
    auto texels = RandomPixels(20 * 10, 9);
    auto d = MakeDevice(32, 32);
    auto tex = MakeTexture(*d, 20, 10, texels);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetTextureStageState(0, GFX_TSS_MAGFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_MINFILTER, GFX_TEXF_ANISOTROPIC);
    d->SetTexture(0, tex);
    SGfxVertex v[4];
    Quad(v, 1.5f, 2.5f, 21.5f, 12.5f, 0, 0, 1, 1);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 20; ++x) ASSERT_EQ(Pixel(*d, x + 2, y + 3), texels[y * 20 + x]);
}

TEST(GfxRaster, SixteenBitAndAlphaFormatsAreSampledWidened) {
    auto d = MakeDevice(8, 8);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    struct SCase {
        EGfxFormat fmt;
        uint32_t in;
        uint32_t want;
    } cases[] = {
        {GFX_FMT_R5G6B5, 0x12FF0844u, 0xFFFF0842u},
        {GFX_FMT_X1R5G5B5, 0x00FF0000u, 0xFFFF0000u},
        {GFX_FMT_A1R5G5B5, 0x40FF0000u, 0x00FF0000u},
        {GFX_FMT_A4R4G4B4, 0x8F1F2F3Fu, 0x88112233u},
        {GFX_FMT_A8, 0x7FFFFFFFu, 0x7F000000u},
        {GFX_FMT_X8R8G8B8, 0x00123456u, 0xFF123456u},
    };
    for (const SCase& c : cases) {
        auto tex = MakeTexture(*d, 1, 1, {c.in}, c.fmt);
        ASSERT_TRUE(tex) << c.fmt;
        d->SetTexture(0, tex);
        SGfxVertex v[4];
        Quad(v, -0.5f, -0.5f, 0.5f, 0.5f, 0, 0, 1, 1);
        d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
        EXPECT_EQ(Pixel(*d, 0, 0), c.want) << "format " << c.fmt;
    }
}

TEST(GfxRaster, CullingFollowsWindingAndViewportClips) {
    auto d = MakeDevice(16, 16);
    d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetRenderState(GFX_RS_CULLMODE, GFX_CULL_CCW);
    d->SetVertexShader(GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE);
    struct SV {
        float x, y, z, rhw;
        uint32_t c;
    };
    // Clockwise on the screen: drawn.  Counter-clockwise: culled.
    SV cw[3] = {{0, 0, 0, 1, 0xFFFF0000u}, {8, 0, 0, 1, 0xFFFF0000u}, {0, 8, 0, 1, 0xFFFF0000u}};
    SV ccw[3] = {{8, 8, 0, 1, 0xFF00FF00u}, {8, 16, 0, 1, 0xFF00FF00u}, {16, 8, 0, 1, 0xFF00FF00u}};
    d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, cw, sizeof(SV));
    d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, ccw, sizeof(SV));
    EXPECT_EQ(Pixel(*d, 1, 1), 0xFFFF0000u);
    EXPECT_EQ(Pixel(*d, 9, 9), 0u);
    SGfxViewport vp{4, 4, 4, 4, 0, 1};
    ASSERT_EQ(d->SetViewport(vp), GFX_OK);
    d->SetRenderState(GFX_RS_CULLMODE, GFX_CULL_NONE);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, ccw, sizeof(SV));
    SV big[3] = {{-100, -100, 0, 1, 0xFF0000FFu}, {300, -100, 0, 1, 0xFF0000FFu}, {-100, 300, 0, 1, 0xFF0000FFu}};
    d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, big, sizeof(SV));
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
            uint32_t p = Pixel(*d, x, y);
            if (x >= 4 && x < 8 && y >= 4 && y < 8) {
                EXPECT_EQ(p, 0xFF0000FFu);
            } else {
                EXPECT_NE(p, 0xFF0000FFu) << x << "," << y;
            }
        }
}

TEST(GfxRaster, GouraudColoursInterpolate) {
    auto d = MakeDevice(16, 4);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetVertexShader(GFX_FVF_XYZRHW | GFX_FVF_DIFFUSE);
    struct SV {
        float x, y, z, rhw;
        uint32_t c;
    } v[4] = {{-0.5f, -0.5f, 0, 1, 0xFF000000u}, {15.5f, -0.5f, 0, 1, 0xFFF00000u}, {-0.5f, 3.5f, 0, 1, 0xFF000000u},
              {15.5f, 3.5f, 0, 1, 0xFFF00000u}};
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SV));
    for (uint32_t x = 0; x < 16; ++x) {
        EXPECT_EQ(Pixel(*d, x, 1), 0xFF000000u | ((15u * x + 8u) << 16)) << x;
    }
}

TEST(GfxRaster, BadDrawsAreRefusedWithoutDrawing) {
    auto d = MakeDevice(8, 8);
    SGfxVertex v[4];
    Quad(v, 0, 0, 8, 8, 0, 0, 1, 1);
    EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_LINELIST, 1, v, sizeof(SGfxVertex)), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, nullptr, sizeof(SGfxVertex)), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, 12), GFX_E_INVALIDCALL);
    EXPECT_EQ(d->DrawPrimitive(GFX_PT_TRIANGLESTRIP, 0, 2), GFX_E_INVALIDCALL);  // no stream
    std::shared_ptr<CGfxVertexBuffer> vb;
    ASSERT_EQ(d->CreateVertexBuffer(4 * sizeof(SGfxVertex), 0, GFX_FVF_TLVERTEX, GFX_POOL_MANAGED, &vb), GFX_OK);
    d->SetStreamSource(0, vb, sizeof(SGfxVertex));
    EXPECT_EQ(d->DrawPrimitive(GFX_PT_TRIANGLESTRIP, 0, 3), GFX_E_INVALIDCALL);  // past the buffer's end
    EXPECT_EQ(d->DrawPrimitive(GFX_PT_TRIANGLESTRIP, 0, 2), GFX_OK);
    // Not a number and far-away vertices draw nothing and do not crash.
    Quad(v, NAN, 0, 1e30f, 8, 0, 0, 1, 1);
    EXPECT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);
}

TEST(GfxRaster, DifferentRhwInterpolatesPerspectiveCorrectly) {
    std::vector<uint32_t> texels(64);
    for (uint32_t i = 0; i < 64; ++i) texels[i] = 0xFF000000u | i;
    auto d = MakeDevice(16, 2);
    auto tex = MakeTexture(*d, 64, 1, texels);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetTexture(0, tex);
    SGfxVertex v[4];
    Quad(v, -0.5f, -0.5f, 15.5f, 1.5f, 0, 0, 1, 1);
    v[1].rhw = v[3].rhw = 0.25f;
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    for (uint32_t x = 0; x < 16; ++x) {
        double f = (x + 0.5) / 16.0;  // the screen fraction across
        double q = 1.0 * (1 - f) + 0.25 * f;
        double u = (0.0 * 1.0 * (1 - f) + 1.0 * 0.25 * f) / q;
        EXPECT_NEAR(static_cast<double>(Pixel(*d, x, 0) & 255), std::floor(u * 64), 1.0) << x;
    }
}

TEST(GfxRaster, TextureCoordinatesThatAreHugeOrNotNumbersSampleSafely) {
    const uint32_t tw = 5, th = 3;
    auto texels = RandomPixels(tw * th, 21);
    for (auto& t : texels) t |= 0xFF000000u;
    const uint32_t first = texels[0], last = texels[tw * th - 1];
    struct SCase {
        float uv;
        uint32_t address;
        uint32_t want;  // 0: any texel, as long as the draw is safe
    } cases[] = {
        {1e30f, GFX_TADDRESS_CLAMP, last},   {-1e30f, GFX_TADDRESS_CLAMP, first}, {NAN, GFX_TADDRESS_CLAMP, first},
        {1e30f, GFX_TADDRESS_WRAP, 0},       {-INFINITY, GFX_TADDRESS_WRAP, 0},   {INFINITY, GFX_TADDRESS_MIRROR, 0},
        {NAN, GFX_TADDRESS_BORDER, 0},       {3e38f, GFX_TADDRESS_MIRROR, 0},
    };
    for (const SCase& c : cases) {
        for (uint32_t filter : {GFX_TEXF_POINT, GFX_TEXF_LINEAR}) {
            for (bool split : {false, true}) {
                auto d = MakeDevice(8, 8);
                auto tex = MakeTexture(*d, tw, th, texels);
                d->Clear(0, nullptr, GFX_CLEAR_TARGET, 0xFF000000u);
                d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
                d->SetTextureStageState(0, GFX_TSS_MINFILTER, filter);
                d->SetTextureStageState(0, GFX_TSS_MAGFILTER, filter);
                d->SetTextureStageState(0, GFX_TSS_ADDRESSU, c.address);
                d->SetTextureStageState(0, GFX_TSS_ADDRESSV, c.address);
                d->SetTexture(0, tex);
                SGfxVertex v[4];
                Quad(v, 0.5f, 0.5f, 6.5f, 6.5f, c.uv, c.uv, c.uv, c.uv);
                if (split) {
                    SGfxVertex a[3] = {v[0], v[1], v[2]}, b[3] = {v[2], v[1], v[3]};
                    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, a, sizeof(SGfxVertex)), GFX_OK);
                    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, b, sizeof(SGfxVertex)), GFX_OK);
                } else {
                    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);
                }
                if (c.want != 0) {
                    EXPECT_EQ(Pixel(*d, 3, 3), c.want) << c.uv << " filter " << filter << " split " << split;
                }
            }
        }
    }
    // A varying huge mapping: every texel a pixel reads is held to the texture.
    auto d = MakeDevice(16, 16);
    auto tex = MakeTexture(*d, tw, th, texels);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSU, GFX_TADDRESS_CLAMP);
    d->SetTextureStageState(0, GFX_TSS_ADDRESSV, GFX_TADDRESS_WRAP);
    d->SetTexture(0, tex);
    SGfxVertex v[4];
    Quad(v, 0.5f, 0.5f, 15.5f, 15.5f, -3e37f, 1e20f, 3e37f, -2e25f);
    v[3].rhw = 0.001f;  // and through the perspective path
    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);
}

TEST(GfxRaster, ScaledMappingStaysExactWhenThePrimitiveStartsFarOffScreen) {
    std::vector<uint32_t> texels(64);
    for (uint32_t i = 0; i < 64; ++i) texels[i] = 0xFF000000u | i;
    auto d = MakeDevice(64, 2);
    auto tex = MakeTexture(*d, 64, 1, texels);
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetTexture(0, tex);
    // A picture scaled 1.5 times that begins 200000 pixels to the left.
    const float l = -200000.5f, r = 63.5f;
    const float u1 = (r - l) / 1.5f / 64.0f;
    SGfxVertex v[4];
    Quad(v, l, -0.5f, r, 1.5f, 0, 0, u1, 1);
    for (bool split : {false, true}) {
        if (split) {
            SGfxVertex a[3] = {v[0], v[1], v[2]}, b[3] = {v[2], v[1], v[3]};
            d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, a, sizeof(SGfxVertex));
            d->DrawPrimitiveUP(GFX_PT_TRIANGLELIST, 1, b, sizeof(SGfxVertex));
        } else {
            d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
        }
        for (uint32_t x = 0; x < 64; ++x) {
            double s = (x - static_cast<double>(l)) / (static_cast<double>(r) - l) * static_cast<double>(u1) * 64.0;
            double frac = s - std::floor(s);
            if (frac < 0.01 || frac > 0.99) continue;  // too near a texel edge to judge
            uint32_t want = static_cast<uint32_t>(static_cast<int64_t>(std::floor(s)) % 64);
            EXPECT_EQ(Pixel(*d, x, 0) & 255, want) << x << " split " << split;
        }
    }
}

// Unrotated draws sample one texture row (or pair of rows) per target row.  With a
// mapping of exact binary fractions the texel coordinate of every pixel is known
// exactly, so the result is checked bit for bit against the filter's integer formula
// over every addressing mode, columns and rows running off both ends of the texture.
TEST(GfxRaster, UnrotatedScaledRowsMatchTheIntegerFilterAtEveryEdge) {
    constexpr int tw = 8, th = 6, W = 40, H = 10;
    constexpr uint32_t kBorder = 0xFF123456u;
    const std::vector<uint32_t> texels = RandomPixels(tw * th, 47);
    // Texel coordinate of pixel centre x: -6.25 + (x + 0.5) × 0.75; of row y: -2.25 + (y + 0.5).
    const auto s = [](int x) { return -6.25 + (x + 0.5) * 0.75; };
    const auto t = [](int y) { return -2.25 + (y + 0.5); };
    const auto address = [](int i, int size, uint32_t mode) { return static_cast<int>(ModelAddress(i, size, mode)); };
    for (bool linear : {false, true}) {
        for (uint32_t mode : {GFX_TADDRESS_WRAP, GFX_TADDRESS_MIRROR, GFX_TADDRESS_CLAMP, GFX_TADDRESS_BORDER}) {
            auto d = MakeDevice(W, H);
            auto tex = MakeTexture(*d, tw, th, texels);
            d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
            const uint32_t filter = linear ? GFX_TEXF_LINEAR : GFX_TEXF_POINT;
            d->SetTextureStageState(0, GFX_TSS_MINFILTER, filter);
            d->SetTextureStageState(0, GFX_TSS_MAGFILTER, filter);
            d->SetTextureStageState(0, GFX_TSS_ADDRESSU, mode);
            d->SetTextureStageState(0, GFX_TSS_ADDRESSV, mode);
            d->SetTextureStageState(0, GFX_TSS_BORDERCOLOR, kBorder);
            d->SetTexture(0, tex);
            SGfxVertex v[4];
            Quad(v, -0.5f, -0.5f, W - 0.5f, H - 0.5f, static_cast<float>(-6.25 / tw),
                 static_cast<float>(-2.25 / th), static_cast<float>((-6.25 + W * 0.75) / tw),
                 static_cast<float>((-2.25 + H) / th));
            d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
            const auto texel = [&](int i, int j) {
                i = address(i, tw, mode);
                j = address(j, th, mode);
                return i < 0 || j < 0 ? kBorder : texels[static_cast<size_t>(j * tw + i)];
            };
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    const double ss = s(x) - (linear ? 0.5 : 0.0), tt = t(y) - (linear ? 0.5 : 0.0);
                    const int i = static_cast<int>(std::floor(ss)), j = static_cast<int>(std::floor(tt));
                    uint32_t want = texel(i, j);
                    if (linear) {
                        const uint32_t fx = static_cast<uint32_t>((ss - i) * 256), fy = static_cast<uint32_t>((tt - j) * 256);
                        want = 0;
                        for (int shift = 0; shift < 32; shift += 8) {
                            const auto c = [&](int di, int dj) { return (texel(i + di, j + dj) >> shift) & 255u; };
                            const uint32_t top = (c(0, 0) * (256 - fx) + c(1, 0) * fx + 128) >> 8;
                            const uint32_t bottom = (c(0, 1) * (256 - fx) + c(1, 1) * fx + 128) >> 8;
                            want |= ((top * (256 - fy) + bottom * fy + 128) >> 8) << shift;
                        }
                    }
                    ASSERT_EQ(Pixel(*d, x, y) & 0xFFFFFFu, want & 0xFFFFFFu)
                        << (linear ? "linear" : "point") << " mode " << mode << " at " << x << "," << y;
                }
            }
        }
    }
}

// Filtered rows are kept between the rows of one draw; a texture written between two
// draws (same texture, same place, same mapping) must be read afresh by the second.
TEST(GfxRaster, ATextureChangedBetweenTwoFilteredDrawsIsReadAgain) {
    constexpr uint32_t tw = 16, th = 8;
    auto d = MakeDevice(32, 16);
    auto tex = MakeTexture(*d, tw, th, std::vector<uint32_t>(tw * th, 0xFF000000u));
    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, 0);
    d->SetTextureStageState(0, GFX_TSS_MINFILTER, GFX_TEXF_LINEAR);
    d->SetTextureStageState(0, GFX_TSS_MAGFILTER, GFX_TEXF_LINEAR);
    d->SetTexture(0, tex);
    SGfxVertex v[4];
    // Enlarged and off the texel grid, every row between the same two texture rows:
    // every pixel filters four texels, and the second draw's rows are the first's.
    Quad(v, -0.5f, -0.5f, 31.5f, 15.5f, 0.1f, 0.45f, 0.9f, 0.45f);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    ASSERT_EQ(Pixel(*d, 16, 8), 0xFF000000u);
    SGfxLockedRect lr;
    tex->LockRect(0, &lr, nullptr);
    for (uint32_t y = 0; y < th; ++y) {
        std::fill_n(reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(lr.bits) + y * lr.pitch), tw, 0xFFFFFFFFu);
    }
    tex->UnlockRect(0);
    d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex));
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 32; ++x) ASSERT_EQ(Pixel(*d, x, y), 0xFFFFFFFFu) << x << "," << y;
    }
}

// Point-sampled rows that read one texel value throughout (a strip one texel wide
// stretched across, a plane of one colour enlarged) are shaded as that one colour;
// every state draws what the generic kernel draws (an alpha test that passes every
// pixel forces it) over the same background.
TEST(GfxRaster, RowsOfOneTexelValueDrawWhatTheGenericKernelDraws) {
    constexpr uint32_t W = 96, H = 40;
    // Row 0 one value, row 1 another, row 2 mixed; a strip of one column beside.
    const std::vector<uint32_t> plane = {0x80102030u, 0x80102030u, 0x80102030u, 0x80102030u,
                                         0xFF405060u, 0xFF405060u, 0xFF405060u, 0xFF405060u,
                                         0x00000000u, 0xC0FFEEDDu, 0x40123456u, 0xFF000000u};
    const std::vector<uint32_t> strip = {0xFF00FF00u, 0x20FFFFFFu, 0x00000000u};
    struct SDraw {
        const char* what;
        const std::vector<uint32_t>* texels;
        uint32_t tw, th;
        EGfxFormat format;
    };
    const SDraw draws[] = {{"plane", &plane, 4, 3, GFX_FMT_A8R8G8B8},
                           {"strip", &strip, 1, 3, GFX_FMT_A8R8G8B8},
                           {"plane without alpha", &plane, 4, 3, GFX_FMT_X8R8G8B8}};
    const uint32_t diffuses[] = {0xFFFFFFFFu, 0x80FFFFFFu, 0xFF8040C0u};
    const auto background = RandomPixels(W * H, 3);
    for (const SDraw& draw : draws) {
        for (bool blend : {false, true}) {
            for (uint32_t diffuse : diffuses) {
                std::vector<uint32_t> frames[2];
                for (int generic = 0; generic < 2; ++generic) {
                    auto d = MakeDevice(W, H);
                    std::shared_ptr<CGfxSurface> bb;
                    d->GetBackBuffer(&bb);
                    for (uint32_t y = 0; y < H; ++y) {
                        std::copy(background.begin() + y * W, background.begin() + (y + 1) * W,
                                  reinterpret_cast<uint32_t*>(bb->Pixels().Row(y)));
                    }
                    auto tex = MakeTexture(*d, draw.tw, draw.th, *draw.texels, draw.format);
                    d->SetRenderState(GFX_RS_ALPHABLENDENABLE, blend ? 1 : 0);
                    d->SetRenderState(GFX_RS_ALPHATESTENABLE, generic);
                    d->SetRenderState(GFX_RS_ALPHAFUNC, GFX_CMP_GREATEREQUAL);
                    d->SetRenderState(GFX_RS_ALPHAREF, 0);
                    d->SetTexture(0, tex);
                    SGfxVertex v[4];
                    Quad(v, -0.5f, -0.5f, W - 0.5f, H - 0.5f, 0, 0, 1, 1, diffuse);
                    ASSERT_EQ(d->DrawPrimitiveUP(GFX_PT_TRIANGLESTRIP, 2, v, sizeof(SGfxVertex)), GFX_OK);
                    frames[generic] = BackBuffer(*d);
                }
                ASSERT_EQ(frames[0], frames[1]) << draw.what << " blend " << blend << std::hex << " diffuse " << diffuse;
            }
        }
    }
}
