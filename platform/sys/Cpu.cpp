#include "platform/sys/Cpu.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

uint32_t PlatformReadCpuFeatures() {
    uint32_t features = 0;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        if (edx & (1u << 23)) features |= 1;   // MMX
        if (edx & (1u << 25)) features |= 2;   // SSE
        if (edx & (1u << 26)) features |= 4;   // SSE2
    }
    if (__get_cpuid(0x80000000u, &eax, &ebx, &ecx, &edx) && eax >= 0x80000001u) {
        __get_cpuid(0x80000001u, &eax, &ebx, &ecx, &edx);
        if (edx & (1u << 31)) features |= 8;   // 3DNow!
        if (edx & (1u << 30)) features |= 16;  // extended 3DNow!
    }
#endif
    return features;
}
