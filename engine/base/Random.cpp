#include "engine/base/Random.h"

#include <atomic>

#include "platform/sys/Time.h"

namespace {
std::atomic<uint32_t> g_TestSeed{0};

constexpr uint32_t kShift = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpper = 0x80000000u;
constexpr uint32_t kLower = 0x7FFFFFFFu;

uint32_t _Mix(uint32_t upper, uint32_t lower, uint32_t far) {
    const uint32_t y = (upper & kUpper) | (lower & kLower);
    return far ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
}
}  // namespace

CRandom::CRandom() {
    uint32_t seed = g_TestSeed.load();
    Seed(seed != 0 ? seed : PlatformGetTickMs());
}

void CRandom::Seed(uint32_t seed) {
    m_State[0] = seed;
    for (uint32_t i = 1; i < kStateSize; ++i) {
        m_State[i] = 1812433253u * (m_State[i - 1] ^ (m_State[i - 1] >> 30)) + i;
    }
    m_Index = kStateSize;
}

void CRandom::_Twist() {
    uint32_t k = 0;
    for (; k < kStateSize - kShift; ++k) {
        m_State[k] = _Mix(m_State[k], m_State[k + 1], m_State[k + kShift]);
    }
    for (; k < kStateSize - 1; ++k) {
        m_State[k] = _Mix(m_State[k], m_State[k + 1], m_State[k + kShift - kStateSize]);
    }
    m_State[kStateSize - 1] = _Mix(m_State[kStateSize - 1], m_State[0], m_State[kShift - 1]);
    m_Index = 0;
}

void CRandom::SetDefaultSeedForTests(uint32_t seed) { g_TestSeed = seed; }
