#!/usr/bin/env bash
# Installs what is needed, then builds and runs (headless: no display, no sound card):
#   1. one clang build with AddressSanitizer and UBSan: the libFuzzer targets, each run
#      for a bounded number of inputs, then every test, leak detection on;
#   2. the test binaries that start threads, under ThreadSanitizer;
#   3. every test again in the Release build, the one the play script builds;
#   4. the play command as a new user runs it, under an Xvfb display of its own.
# A sanitizer build stops at the first report (undefined behaviour, bad access, leak of
# ours, data race): the options are compiled into its binaries (cmake/Sanitizers.cmake),
# the only leaks and races let through are in system libraries (tests/support/lsan.supp,
# tests/support/tsan.supp).
#
# The Release run stays: the sanitizer builds are optimised less, and instrumentation
# changes what the optimiser does, so a fault that shows only in the program the
# player runs (an uninitialised read, code that relies on undefined behaviour being
# compiled one way) would otherwise go unseen.  docs/sanitizers.md has the time of
# each step on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each step's wall time, and the processor time (user + system) its processes took: on
# a machine shared with other work the second tells what the step costs.
cpu_file=$(mktemp)
trap 'rm -f "$cpu_file"' EXIT
cpu_now() {  # sets cpu_ms: the processor time of the finished child processes so far
    local user sys
    times > "$cpu_file"
    { read -r _ _; read -r user sys; } < "$cpu_file"
    cpu_ms=$(awk -v u="$user" -v s="$sys" 'function ms(t,  m) {
            m = t; sub(/m.*/, "", m); sub(/^[0-9]+m/, "", t); sub(/s$/, "", t); return (m * 60 + t) * 1000 }
        BEGIN { printf "%d\n", ms(u) + ms(s) }')
}
step_start=$SECONDS
cpu_now
step_cpu=$cpu_ms
step_done() {
    cpu_now
    echo "test.sh: $1 took $((SECONDS - step_start)) s ($(((cpu_ms - step_cpu) / 1000)) s of processor time)"
    step_start=$SECONDS
    step_cpu=$cpu_ms
}

bash scripts/setup.sh
step_done "setup"

export SDL_VIDEODRIVER=dummy
export SDL_AUDIODRIVER=dummy
JOBS=$(nproc)
CONFIGURE=(-G Ninja -S . -DCMAKE_BUILD_TYPE=Release)
# One job more than cores: the playthrough spends most of its time waiting on the game.
CTEST=(--output-on-failure -j"$((JOBS + 1))" --timeout 300)
# The sanitizer builds compile at -O1: half the build time of -O3, the instrumented
# tests stay quick, and the Release run below covers what the full optimiser does.
SANITIZED=(-DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DPG_BENCH=OFF)
# Precompiled headers and unity batches (cmake/CompileTime.cmake) for the gcc builds.
# They hide a missing include, so the clang build goes without them and catches it.
BATCHED=(-DPG_PCH=ON -DPG_UNITY=ON)

# A compiler cache, where installed, speeds up a second run on the same machine and
# changes nothing on a fresh one.  Its files stay outside the clone; paths are taken
# relative to the clone, so that a clone in another folder finds them too.
if command -v ccache > /dev/null; then
    export CCACHE_BASEDIR="$PWD"
    export CCACHE_NOHASHDIR=1
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime,ivfsoverlay
fi

# clang: the fuzz targets need libFuzzer.  The same build holds every test.
CC=clang CXX=clang++ cmake "${CONFIGURE[@]}" -B build-asan -DPG_SANITIZE=ON "${SANITIZED[@]}" \
    > build-asan.log 2>&1 || { cat build-asan.log; exit 1; }
cmake --build build-asan -j"$JOBS"
step_done "ASan + UBSan build (with the fuzz targets)"
bash scripts/run_fuzzers.sh build-asan "${FUZZ_RUNS:-20000}" "$JOBS"
step_done "fuzz runs"
ctest --test-dir build-asan "${CTEST[@]}"
step_done "ASan + UBSan tests"

# ThreadSanitizer builds and runs only the test binaries whose code starts threads or is
# called from several (threads and events, the application manager and window thread,
# file and image caches, sound and its stream threads, the movie's decoding thread, the
# scene manager, the GDI screen, the platform audio, window and lock layers): the screens
# run on the one game thread.  A test binary that starts a thread of its own joins this
# list.
TSAN_TESTS=(test_engine_base test_engine_base_app test_engine_file test_engine_image
    test_engine_sound test_engine_movie test_engine_draw test_engine_soft_screen
    test_engine_soft_screen_xvfb test_game_core_app test_game_raising_movie
    test_platform_audio test_platform_window test_platform_ipc)
cmake "${CONFIGURE[@]}" -B build-tsan -DPG_TSAN=ON "${SANITIZED[@]}" "${BATCHED[@]}" > /dev/null
cmake --build build-tsan -j"$JOBS" --target "${TSAN_TESTS[@]}"
step_done "ThreadSanitizer build"
ctest --test-dir build-tsan "${CTEST[@]}" -L "^($(IFS='|'; echo "${TSAN_TESTS[*]}"))\$"
step_done "ThreadSanitizer tests"

cmake "${CONFIGURE[@]}" -B build "${BATCHED[@]}" > /dev/null
cmake --build build -j"$JOBS"
step_done "Release build"
# Without the drivers in its environment, as a bare ctest in a build folder runs: ctest
# itself must give every test what it needs.
env -u SDL_VIDEODRIVER -u SDL_AUDIODRIVER ctest --test-dir build "${CTEST[@]}"
step_done "Release tests"

# The play command as a new user runs it, from the clone's root: `bash scripts/play.sh`
# builds nothing new (the Release build above is there), writes the demo data and plays
# under an Xvfb display of its own, focused and given a key now and then as the
# playthrough's is (no window manager gives it the focus, and the game updates only
# while its window is active; the opening waits for a key). It must end with 0 after
# its frames, with a log that names no file it could not load (save files, which a
# first start has not written yet, aside).
play_frames=${PLAY_FRAMES:-1500}
play_fd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$play_fd_file" 2> /dev/null &
play_xvfb=$!
for _ in $(seq 100); do [ -s "$play_fd_file" ] && break; sleep 0.1; done
play_display=":$(cat "$play_fd_file")"
rm -f "$play_fd_file" build/demo/log.txt
DISPLAY=$play_display SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
    bash scripts/play.sh --frames "$play_frames" > build/play.log 2>&1 &
play_pid=$!
# play.sh execs the game, so the game keeps its process id.  A game that never ends its
# frames is stopped after ten minutes (the step takes half a minute), and the step fails
# (the game ends cleanly on the signal, so its status alone would not tell).
play_waited=0
play_late=0
while kill -0 "$play_pid" 2> /dev/null; do
    for id in $(DISPLAY=$play_display xdotool search --onlyvisible --pid "$play_pid" 2> /dev/null); do
        DISPLAY=$play_display xdotool windowfocus "$id" 2> /dev/null || true
    done
    DISPLAY=$play_display xdotool key space 2> /dev/null || true
    sleep 1
    play_waited=$((play_waited + 1))
    if [ "$play_waited" -eq 600 ]; then
        echo "test.sh: the play command was still running after $play_waited s"
        play_late=1
        kill "$play_pid" 2> /dev/null || true
    fi
done
play_status=0
wait "$play_pid" || play_status=$?
kill "$play_xvfb" 2> /dev/null || true
wait "$play_xvfb" 2> /dev/null || true
play_failures=$(iconv -f CP932 -t UTF-8 build/demo/log.txt 2> /dev/null |
    grep -e '見つかりません' -e '開けません' -e '読み込めません' -e 'データがありません' -e '失敗' |
    grep -v 'save\\' || true)
if [ "$play_status" -ne 0 ] || [ "$play_late" -ne 0 ] || [ ! -s build/demo/log.txt ] ||
    [ -n "$play_failures" ]; then
    echo "test.sh: the play command ended with $play_status"
    cat build/play.log
    echo "$play_failures"
    exit 1
fi
step_done "play command"
