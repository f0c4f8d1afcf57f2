#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the whole suite, then
# the record store's tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen
scripts/deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j2 --timeout 600)
[ -f build-asan/CMakeCache.txt ] ||
    cmake -S . -B build-asan -G Ninja -DMSS_BUILD_GUI=OFF -DMSS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j"$(nproc)" --target test_store test_platform
(cd build-asan && ctest --output-on-failure -j2 --timeout 600 -L 'store|platform')
