#!/usr/bin/env bash
# Builds the resampler tests once more without optimisation, in their own build folder, and
# runs them. The resampler loops are compiled once per instruction set; only where nothing is
# inlined do the copies call functions that the linker could share between them, so only
# such a build shows a copy that borrows the other's code (once, AVX2 loops got storage
# aligned for the baseline ones and crashed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-debug}

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPICTAVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" --target imaging_resample_test -- -j"$(nproc)"
"$dir/tests/imaging_resample_test"
