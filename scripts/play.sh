#!/usr/bin/env bash
# Installs what is needed, builds the game and its demo data, and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target niwa
if cmake --build build --target niwa_demo_data >/dev/null 2>&1; then
    build/bin/niwa_demo_data build/demo
    exec build/bin/niwa --data build/demo "$@"
fi
exec build/bin/niwa "$@"
