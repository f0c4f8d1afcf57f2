#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1) with any
# further CMake options after it. Incremental: quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$dir" -j"$(nproc)"
