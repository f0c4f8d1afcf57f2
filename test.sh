#!/usr/bin/env bash
# Installs what is needed, builds the program, and runs every test of every
# layer under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/,
# UI tests offscreen); any sanitizer report fails the test it occurs in; then
# fuzzes the ADIF and datagram readers for a bounded time.
# The plain build (build/) only builds the program: its tests are the same
# code as those run here, and building them twice would double the time.
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen
scripts/deps.sh
MSS_TARGETS=tarvolt-mssprint scripts/build.sh build
# A sanitizer build left by an older version of this script lacks the GUI parts.
[ ! -f build-asan/CMakeCache.txt ] || cmake -S . -B build-asan -DMSS_BUILD_GUI=ON >/dev/null
scripts/build.sh build-asan -DMSS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
# Hamlib keeps its table of radio models for the life of the process.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
(cd build-asan && ctest --output-on-failure -j2 --timeout 900)
# The ADIF and datagram readers fuzzed for a bounded time (seconds per target).
scripts/fuzz.sh "${MSS_FUZZ_SECONDS:-30}"
