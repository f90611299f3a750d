#!/usr/bin/env bash
# Configures and builds incrementally: build.sh BUILD_DIR [extra cmake options...]
# Re-running the configure step is cheap and picks up newly added test and bench folders.
# ccache, when the machine has it, shares compiled objects between build folders.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -- -j"$(nproc)"
