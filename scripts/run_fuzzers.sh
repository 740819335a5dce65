#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a bounded number of inputs, seeded with its
# checked-in corpus when it has one; JOBS targets at a time (each is one process), and
# their reports in the list's order.
#   run_fuzzers.sh [build folder] [runs] [jobs]
set -euo pipefail
BUILD=${1:-build-asan}
RUNS=${2:-20000}
JOBS=${3:-$(nproc)}
LIST="$BUILD/fuzzers.txt"
if [ ! -s "$LIST" ]; then
    echo "fuzz: no fuzz targets"
    exit 0
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# run_one <name> <seed folder>: the target's output in $out/<name>.log, its status in
# $out/<name>.status.
run_one() {
    local name=$1 seeds=$2 work
    work=$(mktemp -d)
    local args=("$work")
    if [ -d "$seeds" ]; then
        args+=("$seeds")
    fi
    local status=0
    "$BUILD/bin/$name" -runs="$RUNS" -max_total_time=120 -rss_limit_mb=2048 \
        -print_final_stats=0 "${args[@]}" > "$out/$name.log" 2>&1 || status=$?
    echo "$status" > "$out/$name.status"
    rm -rf "$work"
}

names=()
while read -r name seeds; do
    names+=("$name")
    while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
        wait -n || true
    done
    run_one "$name" "$seeds" &
done < <(sort -u "$LIST")
wait

status=0
for name in "${names[@]}"; do
    echo "fuzz: $name ($RUNS runs)"
    if [ "$(cat "$out/$name.status" 2>/dev/null || echo 1)" != 0 ]; then
        echo "fuzz: $name FAILED"
        tail -60 "$out/$name.log"
        status=1
    else
        grep -E "Done [0-9]+ runs" "$out/$name.log" | tail -1 || true
    fi
done
exit $status
