#include "tests/engine/soft/blit/RandomCase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "engine/soft/PixelPack.h"

namespace blit_test {

namespace {

uint8_t BiasedByte(std::mt19937& rng) {
    const unsigned r = rng() % 8;
    if (r < 2) return 0x00;
    if (r < 4) return 0xFF;
    return static_cast<uint8_t>(rng());
}

void FillBiased(std::mt19937& rng, std::vector<uint8_t>& bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] = BiasedByte(rng);
}

// Alpha planes in three moods: biased random, mostly transparent, mostly opaque; runs
// of zeros make whole vector groups transparent.
void FillAlpha(std::mt19937& rng, std::vector<uint8_t>& bytes, size_t count) {
    const unsigned mood = rng() % 3;
    for (size_t i = 0; i < count; ++i) {
        const unsigned r = rng() % 10;
        if (mood == 1) {
            bytes[i] = r < 8 ? 0 : BiasedByte(rng);
        } else if (mood == 2) {
            bytes[i] = r < 8 ? 255 : BiasedByte(rng);
        } else {
            bytes[i] = BiasedByte(rng);
        }
    }
    if (rng() % 2) {
        const size_t start = rng() % (count + 1);
        const size_t len = rng() % 40;
        for (size_t i = start; i < count && i < start + len; ++i) bytes[i] = 0;
    }
}

int PitchFor(std::mt19937& rng, int width, int depth, bool oddPitch) {
    const int bpp = BytesPerPixel(depth);
    const int min = width * bpp;
    // 16-bit pixels stay 2-byte aligned unless odd pitches are asked for; 24- and 32-bit
    // rows may have any pitch.
    return bpp == 2 ? min + 2 * static_cast<int>(rng() % 4) + (oddPitch ? 1 : 0) : min + static_cast<int>(rng() % 7);
}

void PlantKeys(std::mt19937& rng, CTestSurface& s, int depth) {
    const uint32_t key = (rng() % 3 == 0) ? 0x00FF00u : (rng() & 0x00FFFFFFu);
    s.SetColorKey(key);
    const int bpp = BytesPerPixel(depth);
    const SSize size = s.GetSize();
    for (int y = 0; y < size.cy; ++y) {
        uint8_t* row = s.GetBits() + static_cast<size_t>(y) * s.GetPitch();
        for (int x = 0; x < size.cx; ++x) {
            if (rng() % 3 != 0) continue;
            uint8_t* p = row + x * bpp;
            if (depth == 15 || depth == 16) {
                uint16_t v = depth == 15 ? PackColor555(key) : PackColor565(key);
                if (depth == 15 && rng() % 2) v |= 0x8000;
                std::memcpy(p, &v, 2);
            } else {
                p[0] = uint8_t(key);
                p[1] = uint8_t(key >> 8);
                p[2] = uint8_t(key >> 16);
                if (depth == 32) p[3] = rng() % 2 ? 0 : uint8_t(rng());
            }
        }
    }
}

}  // namespace

uint64_t Fnv1a(const std::vector<uint8_t>& bytes, uint64_t h) {
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::string SKernelCase::Describe() const {
    std::ostringstream os;
    os << "seed " << seed << " size " << width << "x" << height << " dst (" << dstX << "," << dstY << ") pitch "
       << dst->GetPitch() << " src (" << srcX << "," << srcY << ") pitch " << src->GetPitch() << " opacity " << opacity;
    return os.str();
}

SKernelCase MakeCase(uint32_t seed, int depth, unsigned planes) {
    std::mt19937 rng(seed * 2654435761u + 17);
    SKernelCase c;
    c.seed = seed;
    static const int kLarge[] = {128, 203, 517, 801};
    c.width = (rng() % 12 == 0) ? kLarge[rng() % 4] : 1 + static_cast<int>(rng() % 67);
    c.height = 1 + static_cast<int>(rng() % 4);
    c.dstX = static_cast<int>(rng() % 5);
    c.dstY = static_cast<int>(rng() % 3);
    c.srcX = static_cast<int>(rng() % 5);
    c.srcY = static_cast<int>(rng() % 3);
    c.opacity = kOpacities[seed % 6];
    const int dw = c.dstX + c.width + static_cast<int>(rng() % 4);
    const int dh = c.dstY + c.height + static_cast<int>(rng() % 2);
    const int sw = c.srcX + c.width + static_cast<int>(rng() % 4);
    const int sh = c.srcY + c.height + static_cast<int>(rng() % 2);
    const bool odd = (planes & CASE_ODD_PITCH) != 0;
    c.dst = std::make_unique<CTestSurface>(dw, dh, depth, PitchFor(rng, dw, depth, odd));
    c.src = std::make_unique<CTestSurface>(sw, sh, depth, PitchFor(rng, sw, depth, odd));
    FillBiased(rng, c.dst->Bytes(), c.dst->PixelAreaSize());
    FillBiased(rng, c.src->Bytes(), c.src->PixelAreaSize());
    if (planes & CASE_SOURCE_ALPHA) {
        c.src->MakeAlphaPlane(sw + static_cast<int>(rng() % 5));
        FillAlpha(rng, c.src->AlphaBytes(), c.src->AlphaAreaSize());
        c.src->SetAlphaEnabled(true);
    }
    if (planes & CASE_DEST_ALPHA) {
        c.dst->MakeAlphaPlane(dw + static_cast<int>(rng() % 5));
        FillAlpha(rng, c.dst->AlphaBytes(), c.dst->AlphaAreaSize());
        c.dst->SetAlphaEnabled(true);
    }
    if (planes & CASE_COLOR_KEY) {
        PlantKeys(rng, *c.src, depth);
        c.src->SetColorKeyEnabled(true);
    }
    return c;
}

int RunKernelCases(const char* name, SoftBltKernel kernel, int depth, unsigned planes, const RowModel& model,
                   uint32_t firstSeed, int count, uint64_t* checksum) {
    int failures = 0;
    const int bpp = BytesPerPixel(depth);
    for (uint32_t seed = firstSeed; seed < firstSeed + static_cast<uint32_t>(count); ++seed) {
        SKernelCase c = MakeCase(seed, depth, planes);
        std::vector<uint8_t> expect = c.dst->Bytes();
        std::vector<uint8_t> expectAlpha = c.dst->AlphaBytes();
        const std::vector<uint8_t> srcBefore = c.src->Bytes();
        const std::vector<uint8_t> srcAlphaBefore = c.src->AlphaBytes();
        for (int j = 0; j < c.height; ++j) {
            uint8_t* d = expect.data() + static_cast<size_t>(c.dstY + j) * c.dst->GetPitch() + c.dstX * bpp;
            const uint8_t* s = srcBefore.data() + static_cast<size_t>(c.srcY + j) * c.src->GetPitch() + c.srcX * bpp;
            const uint8_t* sa =
                srcAlphaBefore.empty()
                    ? nullptr
                    : srcAlphaBefore.data() + static_cast<size_t>(c.srcY + j) * c.src->GetAlphaPitch() + c.srcX;
            uint8_t* da = expectAlpha.empty()
                              ? nullptr
                              : expectAlpha.data() + static_cast<size_t>(c.dstY + j) * c.dst->GetAlphaPitch() + c.dstX;
            model(d, s, sa, da, c.width, c.opacity);
        }
        kernel(*c.dst, *c.src, SRect{c.dstX, c.dstY, c.dstX + c.width, c.dstY + c.height}, SPoint{c.srcX, c.srcY},
               c.opacity, 0);
        const uint64_t sum = Fnv1a(c.dst->AlphaBytes(), Fnv1a(c.dst->Bytes()));
        if (checksum) *checksum = *checksum * 31 + sum;
        bool ok = c.dst->Bytes() == expect && c.dst->AlphaBytes() == expectAlpha && c.src->Bytes() == srcBefore &&
                  c.src->AlphaBytes() == srcAlphaBefore && c.dst->GuardsIntact();
        if (!ok) {
            ++failures;
            size_t at = 0;
            while (at < expect.size() && expect[at] == c.dst->Bytes()[at]) ++at;
            ADD_FAILURE() << name << " at depth " << depth << ": " << c.Describe() << " checksum " << std::hex << sum
                          << std::dec << "; first differing destination byte " << at << " (row "
                          << at / c.dst->GetPitch() << ", byte " << at % c.dst->GetPitch() << ")";
            if (failures > 5) break;
        }
    }
    return failures;
}

}  // namespace blit_test
