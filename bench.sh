#!/usr/bin/env bash
# Builds the benchmarks and runs them: all, or those whose names are given
# (store, radio, log, ui_brow, ...).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build-bench -DMSS_BUILD_TESTS=OFF -DMSS_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for b in build-bench/bench/bench_*; do names+=("${b##*/bench_}"); done
fi
for n in "${names[@]}"; do
    echo "== bench_$n"
    "build-bench/bench/bench_$n"
done
