#pragma once
#include <cstdint>

// Processor features read with CPUID: bit value 1 MMX, 2 SSE, 4 SSE2,
// 8 3DNow!, 16 extended 3DNow!.
uint32_t PlatformReadCpuFeatures();
