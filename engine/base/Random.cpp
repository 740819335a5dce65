#include "engine/base/Random.h"

#include <atomic>

#include "platform/sys/Time.h"

namespace {
std::atomic<uint32_t> g_TestSeed{0};
}

CRandom::CRandom() {
    uint32_t seed = g_TestSeed.load();
    m_Engine.seed(seed != 0 ? seed : PlatformGetTickMs());
}

void CRandom::SetDefaultSeedForTests(uint32_t seed) { g_TestSeed = seed; }
