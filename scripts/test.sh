#!/usr/bin/env bash
# Installs what is needed, builds everything, runs the fuzz targets for a bounded
# number of iterations, then every test.  Headless: no display, no sound card.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

export SDL_VIDEODRIVER=dummy
export SDL_AUDIODRIVER=dummy
JOBS=$(nproc)

cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$JOBS"

# libFuzzer targets need clang; they are built apart, with only what they test.
CC=clang CXX=clang++ cmake -G Ninja -S . -B build-fuzz -DPG_FUZZ=ON -DPG_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Release > build-fuzz.log 2>&1 || { cat build-fuzz.log; exit 1; }
cmake --build build-fuzz -j"$JOBS" --target fuzzers
bash scripts/run_fuzzers.sh build-fuzz "${FUZZ_RUNS:-20000}"

ctest --test-dir build --output-on-failure -j"$JOBS" --timeout 300
