#pragma once
// The timed loop of the pixman side of a comparison: the whole destination composited
// once an iteration, then both images released.  Only for benchmarks built with pixman.
#include <benchmark/benchmark.h>
#include <pixman.h>

inline void TimePixmanComposite(benchmark::State& state, pixman_op_t op, pixman_image_t* src, pixman_image_t* dst,
                                const void* dstBits, int width, int height) {
    for (auto _ : state) {
        pixman_image_composite32(op, src, nullptr, dst, 0, 0, 0, 0, 0, 0, width, height);
        benchmark::DoNotOptimize(dstBits);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(src);
    pixman_image_unref(dst);
}
