#!/usr/bin/env bash
# Builds the Debian package from build/ (the tree ./run.sh builds): the
# program, then the tests of the windows, which take the user guide's
# pictures, then cpack. The package lands in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
(cd build && QT_QPA_PLATFORM=offscreen ctest -L '^(app|ui)$' -j"$(nproc)" --output-on-failure)
(cd build && cpack -G DEB)
ls build/tarvolt-mssprint_*.deb
