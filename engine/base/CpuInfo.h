#pragma once
// The processor's features, read once.  Kernels choose their level from
// GetFeatures() AND 3 (0 plain, 1 MMX, 2 or 3 MMX with SSE).
#include <cstddef>
#include <cstdint>

class CCpuInfo {
public:
    enum : uint32_t { FEATURE_MMX = 1, FEATURE_SSE = 2, FEATURE_SSE2 = 4, FEATURE_3DNOW = 8, FEATURE_3DNOWEXT = 16 };

    // The feature word of the process-wide object (the override when one is set).
    static uint32_t GetFeatures();
    // The real CPUID bits, whatever the override.
    static uint32_t GetRealFeatures();
    // Tests force a level: the given word is answered instead of the real one, masked
    // by what the processor really has.  ClearFeatureOverride returns to the real word.
    static void SetFeatureOverride(uint32_t features);
    static void ClearFeatureOverride();
};

// Scoped override, for tests that run every kernel level.
class CCpuFeatureOverride {
public:
    explicit CCpuFeatureOverride(uint32_t features) { CCpuInfo::SetFeatureOverride(features); }
    ~CCpuFeatureOverride() { CCpuInfo::ClearFeatureOverride(); }
    CCpuFeatureOverride(const CCpuFeatureOverride&) = delete;
    CCpuFeatureOverride& operator=(const CCpuFeatureOverride&) = delete;
};

// Copies exactly `bytes` bytes forward; the ranges must not overlap.  With SSE the
// copy goes to MmxMemCopy, otherwise dwords then the remaining bytes.
void* FastMemCopy(void* dest, const void* src, size_t bytes);
// The vector copy: the C library's copy, which uses the widest registers the
// processor has.
void* MmxMemCopy(void* dest, const void* src, size_t bytes);
