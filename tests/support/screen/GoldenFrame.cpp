#include "tests/support/screen/GoldenFrame.h"

#include <algorithm>
#include <cstdlib>

#include "engine/image/ImageFile.h"
#include "tests/support/TestSupport.h"
#include "tools/kit/Sheet.h"

namespace screentest {

namespace {

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

}  // namespace

SFrameDiff CompareFrames(const SFrame& actual, const SFrame& expected, SRegion region) {
    SFrameDiff d;
    if (region.width == 0) region = {0, 0, expected.width, expected.height};
    if (actual.width != expected.width || actual.height != expected.height ||
        region.x + region.width > expected.width || region.y + region.height > expected.height) {
        d.bad = region.width * region.height;
        d.firstX = region.x;
        d.firstY = region.y;
        return d;
    }
    for (int32_t y = region.y; y < region.y + region.height; ++y) {
        for (int32_t x = region.x; x < region.x + region.width; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(expected.width) + static_cast<size_t>(x);
            const uint32_t a = actual.pixels[i], e = expected.pixels[i];
            bool same = true;
            for (int shift : {0, 8, 16}) same = same && std::abs(Channel(a, shift) - Channel(e, shift)) <= kChannelTolerance;
            if (same) continue;
            if (d.bad++ == 0) {
                d.firstX = x;
                d.firstY = y;
            }
        }
    }
    return d;
}

bool ReadFramePng(const std::string& nativePath, SFrame* frame) {
    std::vector<uint8_t> bytes;
    CImageFile image;
    if (!testsupport::ReadFileBytes(nativePath, &bytes) || !image.OpenMemory(bytes.data(), bytes.size(), "frame.png")) {
        return false;
    }
    const int bits = image.GetBitCount();
    if (bits != 24 && bits != 32) return false;
    image.GetImageSize(&frame->width, &frame->height);
    frame->pixels.assign(static_cast<size_t>(frame->width) * static_cast<size_t>(frame->height), 0);
    const uint8_t* rows = image.GetPixelBits();
    const int32_t pitch = image.GetRowPitch();
    for (int32_t y = 0; y < frame->height; ++y) {
        const uint8_t* row = rows + static_cast<size_t>(frame->height - 1 - y) * static_cast<size_t>(pitch);
        for (int32_t x = 0; x < frame->width; ++x) {
            const uint8_t* p = row + x * (bits / 8);
            frame->pixels[static_cast<size_t>(y) * static_cast<size_t>(frame->width) + static_cast<size_t>(x)] =
                0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
    return true;
}

bool WriteFramePng(const std::string& nativePath, const SFrame& frame) {
    std::vector<uint32_t> argb(frame.pixels.size());
    std::transform(frame.pixels.begin(), frame.pixels.end(), argb.begin(), [](uint32_t c) { return c | 0xFF000000u; });
    return kit::WriteBytes(nativePath, kit::EncodePng(argb, frame.width, frame.height));
}

std::string WriteFrameDiff(const std::string& folder, const std::string& name, const SFrame& actual,
                           const SFrame& expected, const SFrameDiff& diff) {
    SFrame delta = expected;
    if (actual.pixels.size() == expected.pixels.size()) {
        for (size_t i = 0; i < delta.pixels.size(); ++i) {
            uint32_t out = 0;
            for (int shift : {0, 8, 16}) {
                const int d = std::min(255, 16 * std::abs(Channel(actual.pixels[i], shift) - Channel(expected.pixels[i], shift)));
                out |= static_cast<uint32_t>(d) << shift;
            }
            delta.pixels[i] = out;
        }
    }
    const std::string base = folder + name;
    WriteFramePng(base + ".actual.png", actual);
    WriteFramePng(base + ".expected.png", expected);
    WriteFramePng(base + ".diff.png", delta);
    return name + ": " + std::to_string(diff.bad) + " pixels differ, the first at (" + std::to_string(diff.firstX) +
           ", " + std::to_string(diff.firstY) + "); see " + base + ".{actual,expected,diff}.png";
}

}  // namespace screentest
