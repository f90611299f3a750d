#!/usr/bin/env bash
# Configures and builds incrementally: build.sh BUILD_DIR [extra cmake options...]
# Re-running the configure step is cheap and picks up newly added test and bench folders.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -- -j"$(nproc)"
