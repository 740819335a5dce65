#!/usr/bin/env bash
# Installs what is needed, builds the game and its demo data, and runs it on that data.
# A failure to build or write the demo data stops the script with its error.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target niwa niwa_demo_data
build/bin/niwa_demo_data build/demo
exec build/bin/niwa --data build/demo "$@"
