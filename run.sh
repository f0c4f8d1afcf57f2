#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program. Arguments go to
# the program (for example --data-dir DIR).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build
exec build/src/app/tarvolt-mssprint "$@"
