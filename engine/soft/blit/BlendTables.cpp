#include "engine/soft/blit/BlendTables.h"

#include <atomic>
#include <mutex>

uint16_t BlendTable565[kBlendLevels * 65536];
uint16_t BlendTable555[kBlendLevels * 65536];
uint8_t ProductTable[256 * 256];

namespace {
std::once_flag g_BuildOnce;
std::atomic<bool> g_Built{false};

void _Build555() {
    // Level 0 stays zero (static storage).  Bit 15 of the index is ignored at every level.
    for (unsigned level = 1; level < 31; ++level) {
        uint16_t* row = BlendTable555 + (level << 16);
        for (unsigned r = 0; r < 32; ++r) {
            for (unsigned g = 0; g < 32; ++g) {
                for (unsigned b = 0; b < 32; ++b) {
                    const unsigned index = r << 10 | g << 5 | b;
                    const auto value =
                        static_cast<uint16_t>((r * level / 31) << 10 | (g * level / 31) << 5 | (b * level / 31));
                    row[index] = value;
                    row[index | 0x8000] = value;
                }
            }
        }
    }
    uint16_t* identity = BlendTable555 + (31u << 16);
    for (unsigned p = 0; p < 65536; ++p) {
        identity[p] = static_cast<uint16_t>(p & 0x7FFF);
    }
}

void _Build565() {
    // The 6-bit green is divided by 31 like the other two channels.
    for (unsigned level = 1; level < 31; ++level) {
        uint16_t* row = BlendTable565 + (level << 16);
        for (unsigned r = 0; r < 32; ++r) {
            for (unsigned g = 0; g < 64; ++g) {
                for (unsigned b = 0; b < 32; ++b) {
                    row[r << 11 | g << 5 | b] =
                        static_cast<uint16_t>((r * level / 31) << 11 | (g * level / 31) << 5 | (b * level / 31));
                }
            }
        }
    }
    uint16_t* identity = BlendTable565 + (31u << 16);
    for (unsigned p = 0; p < 65536; ++p) {
        identity[p] = static_cast<uint16_t>(p);
    }
}

void _BuildProduct() {
    for (unsigned r = 0; r < 256; ++r) {
        for (unsigned c = 0; c < 256; ++c) {
            ProductTable[r << 8 | c] = static_cast<uint8_t>(r * c / 255);
        }
    }
}
}  // namespace

void BuildBlendTables() {
    if (g_Built.load(std::memory_order_acquire)) {
        return;
    }
    std::call_once(g_BuildOnce, [] {
        _Build555();
        _Build565();
        _BuildProduct();
        g_Built.store(true, std::memory_order_release);
    });
}

bool AreBlendTablesBuilt() { return g_Built.load(std::memory_order_acquire); }
