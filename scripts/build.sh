#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1) with any
# further CMake options after it; MSS_TARGETS names the targets to build
# (default: all). Incremental: quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
# ccache, where installed, shares objects between checkouts of the tree.
export CCACHE_BASEDIR="$PWD"
# ... also for the files compiled with a precompiled header.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
fi
targets=()
for t in ${MSS_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
