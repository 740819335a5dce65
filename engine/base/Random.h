#pragma once
// Mersenne Twister MT19937, seeded from the millisecond clock when built.
#include <cstdint>
#include <random>

class CRandom {
public:
    CRandom();
    explicit CRandom(uint32_t seed) : m_Engine(seed) {}

    // Restarts the sequence from `seed` (tests use it for repeatable results).
    void Seed(uint32_t seed) { m_Engine.seed(seed); }
    // The next 32-bit output.
    uint32_t Next() { return static_cast<uint32_t>(m_Engine()); }
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
    std::mt19937 m_Engine;
};
