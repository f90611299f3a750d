#!/usr/bin/env bash
# Builds the decoder tests, the GIF player's test and the archive tests once more with
# AddressSanitizer and UndefinedBehaviorSanitizer in their own build folder and runs them:
# hostile pictures (decoded or played) and hostile archives must neither crash, leak nor touch
# memory they do not own. The fuzzing harnesses replay every seed and every kept regression
# input here too. Any failure or sanitizer report makes this script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-asan}
targets=(decode_test decode_spi_test display_gif_player_test archive_test)
while read -r name; do
  targets+=("fuzz_${name}_replay")
done < <(sed -n 's/^pictavo_fuzz_target(\([A-Za-z0-9_]*\).*/\1/p' "$root"/tests/fuzz/CMakeLists.txt)

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPICTAVO_SANITIZE=ON -DPICTAVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" --target "${targets[@]}" -- -j"$(nproc)"

export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=23
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# Chosen by name: only the decoder, plug-in, GIF player and archive tests and the replays are built in
# this folder (the others show up as *_NOT_BUILT placeholders).
ctest --test-dir "$dir" -R '^(([A-Za-z]+/)?(Bmp|Png|Jpeg|Gif|Hostile|PictureRegistry|Archive|Format|ExtractCommand|MemberPath|ModuleCommand|Spi|ShippedPlugin)[A-Za-z]*\.|fuzz_replay_)' -E 'NOT_BUILT' \
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
