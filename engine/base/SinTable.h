#pragma once
// 512 steps to a turn, values in 16.16 fixed point: Sin(i) = sin(2π i / 512) × 65536,
// truncated toward zero; i is taken modulo 512 and Sin(i + 128) is the cosine.
#include <cstdint>

class CSinTable {
public:
    static int32_t Sin(int32_t i) { return _Table()[static_cast<uint32_t>(i) & 511u]; }
    static int32_t Cos(int32_t i) { return _Table()[(static_cast<uint32_t>(i) + 128u) & 511u]; }

private:
    // Built on first use, so that no static constructor can see an empty table.
    static const int32_t* _Table();
};
