#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded number of inputs,
# seeded with its checked-in corpus when it has one.
set -euo pipefail
BUILD=${1:-build-fuzz}
RUNS=${2:-20000}
LIST="$BUILD/fuzzers.txt"
if [ ! -s "$LIST" ]; then
    echo "fuzz: no fuzz targets"
    exit 0
fi
status=0
while read -r name seeds; do
    work=$(mktemp -d)
    args=("$work")
    if [ -d "$seeds" ]; then
        args+=("$seeds")
    fi
    echo "fuzz: $name ($RUNS runs)"
    if ! "$BUILD/bin/$name" -runs="$RUNS" -max_total_time=120 -rss_limit_mb=2048 \
        -print_final_stats=0 "${args[@]}" > "$work.log" 2>&1; then
        echo "fuzz: $name FAILED"
        tail -60 "$work.log"
        status=1
    else
        grep -E "Done [0-9]+ runs" "$work.log" | tail -1 || true
    fi
    rm -rf "$work" "$work.log"
done < <(sort -u "$LIST")
exit $status
