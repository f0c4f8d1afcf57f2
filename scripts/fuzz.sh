#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into build-fuzz/ and runs each for a bounded
# time. Fails on any crash, sanitizer report, hang or leak.
#
#   scripts/fuzz.sh [seconds per target] [target ...]
#
# Seconds default to $MSS_FUZZ_SECONDS or 60; targets to all of fuzz/fuzz_*.cpp
# (names without "fuzz_": adif, wsjtx). A finding is kept as
# build-fuzz/artifacts/<target>/crash-... (or timeout-..., leak-...); replay it
# with build-fuzz/fuzz/fuzz_<target> <file>. The growing corpus is kept in
# build-fuzz/corpus/<target>, so later runs go on where earlier ones stopped.
# MSS_FUZZ_DIR names another build folder configured with MSS_BUILD_FUZZ
# (./test.sh passes its own, so the libraries are compiled once).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-${MSS_FUZZ_SECONDS:-60}}"
shift || true
dir="${MSS_FUZZ_DIR:-build-fuzz}"

scripts/deps.sh
export CCACHE_BASEDIR="$PWD"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DMSS_BUILD_FUZZ=ON -DMSS_BUILD_GUI=OFF -DMSS_BUILD_TESTS=OFF -DMSS_BUILD_BENCH=OFF \
        "${launcher[@]}"
fi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do
        n="${f##*/fuzz_}"
        names+=("${n%.cpp}")
    done
fi
targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
cmake --build "$dir" -j2 --target "${targets[@]}"

failed=()
for n in "${names[@]}"; do
    corpus="$dir/corpus/$n"
    artifacts="$dir/artifacts/$n"
    mkdir -p "$corpus" "$artifacts"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
          -artifact_prefix="$artifacts/")
    [ -f "fuzz/$n.dict" ] && args+=(-dict="fuzz/$n.dict")
    seeds=()
    [ -d "fuzz/seeds/$n" ] && seeds=("fuzz/seeds/$n")
    echo "== fuzz_$n for ${seconds} s"
    log="$dir/fuzz_$n.log"
    if "$dir/fuzz/fuzz_$n" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|Done )' "$log" || tail -n 3 "$log"
    else
        echo "fuzz_$n FAILED (log: $log)"
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" || tail -n 20 "$log"
        failed+=("$n")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]}"
    exit 1
fi
echo "fuzzing: no crash, hang or sanitizer report"
