// The developer sample scenes (26 to 29): the transition sample's two pictures and the
// rule picture of its rule transitions.
#include <cstdint>
#include <vector>

#include "tools/demo/DemoWriter.h"

namespace demo {

void WriteSampleData(CDemoWriter& out) {
    out.Sheet(kit::MakeSheet("bg\\bg00e1.bmp", 800, 600, 4, 3));
    out.Sheet(kit::MakeSheet("bg\\bg05m.bmp", 800, 600, 4, 3));
    // A rule picture is read for its blue byte: rings growing from the centre, darker
    // (earlier) outwards along a diagonal, so a rule wipe shows as more than a fade.
    constexpr int32_t kWidth = 800, kHeight = 600;
    std::vector<uint32_t> rule(static_cast<size_t>(kWidth) * kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t dx = x - kWidth / 2, dy = y - kHeight / 2;
            const int32_t ring = (dx * dx + dy * dy) / 64 % 64;
            const uint32_t level = static_cast<uint32_t>((x + y) * 191 / (kWidth + kHeight) + ring);
            rule[static_cast<size_t>(y) * kWidth + x] = 0xFF000000u | level * 0x010101u;
        }
    }
    out.Picture("effect\\effect53.bmp", rule, kWidth, kHeight);
}

}  // namespace demo
