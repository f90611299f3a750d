#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pictavo: ./run.sh [FOLDER|ARCHIVE]
# With no argument it shows the demo pictures that the build generated.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
if [ $# -eq 0 ] && [ -d build/bin/demo ]; then
  exec build/bin/pictavo "$PWD/build/bin/demo"
fi
exec build/bin/pictavo "$@"
