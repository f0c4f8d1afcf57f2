#!/usr/bin/env bash
# Installs what is needed, then builds everything once in build-check/: the
# program, every layer's tests and the fuzz targets, compiled by clang with
# AddressSanitizer and UndefinedBehaviorSanitizer (any report fails the test
# it occurs in) and libFuzzer's coverage hooks. Runs every test (UI tests
# offscreen), checks the installation and the Debian package, then fuzzes
# the ADIF and datagram readers for a bounded time.
# -O1 keeps the store's crash and corruption campaigns quick under the
# sanitizers; line tables are enough for their reports.
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen
scripts/deps.sh
scripts/build.sh build-check -DCMAKE_CXX_COMPILER=clang++ -DMSS_BUILD_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only"
# Hamlib keeps its table of radio models for the life of the process.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
(cd build-check && ctest --output-on-failure -j2 --timeout 900)
# Five contacts typed by keys into the program under a real X server.
scripts/x-smoke.sh build-check/src/app/tarvolt-mssprint
# Installation, menu entry, metainfo, man page and package, after the tests
# took the guide's pictures.
scripts/install-check.sh build-check
# The ADIF and datagram readers fuzzed for a bounded time (seconds per target).
MSS_FUZZ_DIR=build-check scripts/fuzz.sh "${MSS_FUZZ_SECONDS:-30}"
