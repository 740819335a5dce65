#include "engine/base/SinTable.h"

#include <array>
#include <cmath>
#include <numbers>

const int32_t* CSinTable::_Table() {
    static const std::array<int32_t, 512> table = [] {
        std::array<int32_t, 512> t{};
        for (int i = 0; i < 512; ++i) {
            t[i] = static_cast<int32_t>(std::sin(i * std::numbers::pi / 256.0) * 65536.0);
        }
        // The quarter turns are exact whatever the library's rounding.
        t[0] = 0;
        t[128] = 65536;
        t[256] = 0;
        t[384] = -65536;
        return t;
    }();
    return table.data();
}
