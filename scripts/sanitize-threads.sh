#!/usr/bin/env bash
# Builds the read-ahead tests once more with ThreadSanitizer in their own build folder and runs
# them: the worker threads that decode ahead must share nothing with the show unguarded. Any
# failure or report makes this script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-tsan}
targets=(display_prefetch_test display_read_ahead_uitest)

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPICTAVO_SANITIZE_THREADS=ON -DPICTAVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" --target "${targets[@]}" -- -j"$(nproc)"

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$root/scripts/tsan-qt.supp"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$dir/tests/display_prefetch_test" >"$log" 2>&1 || status=$?
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype "$dir/tests/display_read_ahead_uitest" \
  >>"$log" 2>&1 || status=$?
cat "$log"
if grep -q 'WARNING: ThreadSanitizer' "$log"; then
  echo "sanitize-threads: ThreadSanitizer reported a race" >&2
  exit 1
fi
exit "$status"
