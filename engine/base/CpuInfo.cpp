#include "engine/base/CpuInfo.h"

#include <atomic>
#include <cstring>

#include "platform/sys/Cpu.h"

namespace {
std::atomic<bool> g_Overridden{false};
std::atomic<uint32_t> g_Override{0};
}  // namespace

uint32_t CCpuInfo::GetRealFeatures() {
    static const uint32_t features = PlatformReadCpuFeatures();
    return features;
}

uint32_t CCpuInfo::GetFeatures() {
    if (g_Overridden.load()) {
        return g_Override.load() & GetRealFeatures();
    }
    return GetRealFeatures();
}

void CCpuInfo::SetFeatureOverride(uint32_t features) {
    g_Override = features;
    g_Overridden = true;
}

void CCpuInfo::ClearFeatureOverride() { g_Overridden = false; }

void* MmxMemCopy(void* dest, const void* src, size_t bytes) {
    // An empty copy may come with null pointers, which memcpy must never see.
    if (bytes == 0) {
        return dest;
    }
    return std::memcpy(dest, src, bytes);
}

void* FastMemCopy(void* dest, const void* src, size_t bytes) {
    if (CCpuInfo::GetFeatures() & CCpuInfo::FEATURE_SSE) {
        return MmxMemCopy(dest, src, bytes);
    }
    auto* d = static_cast<uint8_t*>(dest);
    const auto* s = static_cast<const uint8_t*>(src);
    size_t dwords = bytes / 4;
    for (size_t i = 0; i < dwords; ++i) {
        uint32_t v;
        std::memcpy(&v, s, 4);
        std::memcpy(d, &v, 4);
        d += 4;
        s += 4;
    }
    for (size_t i = 0; i < bytes % 4; ++i) {
        *d++ = *s++;
    }
    return dest;
}
