#pragma once
// Mersenne Twister MT19937 (the sequence of std::mt19937), seeded from the millisecond
// clock when built.  Kept free of <random>: this header reaches a third of the sources.
#include <array>
#include <cstdint>

class CRandom {
public:
    CRandom();
    explicit CRandom(uint32_t seed) { Seed(seed); }

    // Restarts the sequence from `seed` (tests use it for repeatable results).
    void Seed(uint32_t seed);
    // The next 32-bit output.
    uint32_t Next() {
        if (m_Index >= kStateSize) _Twist();
        uint32_t y = m_State[m_Index++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        return y ^ (y >> 18);
    }
    // The next output modulo n: 0 to n - 1, and 0 for n = 0.
    uint32_t Random(uint32_t n) {
        uint32_t v = Next();
        return n == 0 ? 0 : v % n;
    }

    // When set (non-zero), every CRandom built afterwards is seeded with this value
    // instead of the clock, so that tests of code that builds its own generator
    // repeat exactly.  0 returns to clock seeding.
    static void SetDefaultSeedForTests(uint32_t seed);

private:
    static constexpr uint32_t kStateSize = 624;
    // Refills the state with the next 624 words.
    void _Twist();

    std::array<uint32_t, kStateSize> m_State{};
    uint32_t m_Index = kStateSize;
};
