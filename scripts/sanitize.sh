#!/usr/bin/env bash
# Builds the decoder tests once more with AddressSanitizer and UndefinedBehaviorSanitizer in
# their own build folder and runs them: hostile pictures must neither crash, leak nor touch
# memory they do not own. Any failure or sanitizer report makes this script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-asan}
targets=(decode_test decode_spi_test)

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPICTAVO_SANITIZE=ON -DPICTAVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target "${targets[@]}" -- -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=23
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# Chosen by name: only the decoder tests are built in this folder (the others show up as
# *_NOT_BUILT placeholders).
ctest --test-dir "$dir" -R '^([A-Za-z]+/)?(Bmp|Png|Jpeg|Gif|Hostile|PictureRegistry|Spi|ShippedPlugin)[A-Za-z]*\.' -E 'NOT_BUILT' \
  --output-on-failure -j"$(nproc)" >"$log" 2>&1 || status=$?
cat "$log"
# A report that did not stop the program still counts as a failure.
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; then
  echo "sanitize: a sanitizer reported a fault" >&2
  exit 1
fi
if ! grep -qE '100% tests passed' "$log"; then
  echo "sanitize: no decode tests ran or some failed" >&2
  exit 1
fi
exit "$status"
