#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Quick when they are already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev libgl-dev
    poppler-utils
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
    fonts-liberation hamradio-files libhamlib-dev clang libclang-rt-14-dev qt6-translations-l10n libhamlib-utils
    xvfb xdotool
    help2man desktop-file-utils appstream man-db librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
