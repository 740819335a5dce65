#!/usr/bin/env bash
# Writes the golden frames (tests/golden/frames/*.png) again from the current build.
# A frame whose list of what must show fails is not written, nor a checkpoint the test
# passes over (tests/golden/golden_test.cpp, Blocked()).  Look at every changed picture
# before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" -j4 --target test_golden
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NIWA_GOLDEN_UPDATE=1 \
    "$build/tests/golden/test_golden"
git status --short tests/golden/frames
