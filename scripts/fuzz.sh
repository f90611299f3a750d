#!/usr/bin/env bash
# Fuzzes our own parsers with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
#   scripts/fuzz.sh [TARGET] [SECONDS]     every target (or TARGET), 60 seconds each by default
# Builds with clang into build-fuzz/. Inputs that add coverage collect in build-fuzz/fuzz/work/;
# an input that crashes, hangs or trips a sanitizer is kept in tests/fuzz/regressions/TARGET/
# (commit it with the fix: the test command replays it from then on) and the script fails.
# The last lines give each target's executions per second and coverage (cov:, ft:).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build-fuzz
only=${1:-}
seconds=${2:-60}

"$root"/scripts/install-deps.sh fuzz
mapfile -t all < <(sed -n 's/^pictavo_fuzz_target(\([A-Za-z0-9_]*\).*/\1/p' "$root"/tests/fuzz/CMakeLists.txt)
targets=("${all[@]}")
if [ -n "$only" ]; then
  if ! printf '%s\n' "${all[@]}" | grep -qx "$only"; then
    echo "fuzz: no target $only; there are: ${all[*]}" >&2
    exit 2
  fi
  targets=("$only")
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTAVO_FUZZ=ON -DPICTAVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" --target "${targets[@]/#/fuzz_}" -- -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
summary=()
for name in "${targets[@]}"; do
  work=$dir/fuzz/work/$name
  kept=$root/tests/fuzz/regressions/$name
  mkdir -p "$work" "$kept"
  inputs=("$work")
  for d in "$root/tests/fuzz/corpus/$name" "$dir/fuzz/seeds/$name" "$kept"; do
    [ -d "$d" ] && inputs+=("$d")
  done
  log=$dir/fuzz/$name.log
  echo "fuzz: $name for ${seconds}s (log: $log)"
  result=0
  "$dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -report_slow_units=100000 -rss_limit_mb=2560 \
    -artifact_prefix="$kept/" -print_final_stats=1 "${inputs[@]}" >"$log" 2>&1 || result=$?
  final=$(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1 || true)
  if [ "$result" -ne 0 ]; then
    status=1
    grep -E 'ERROR|SUMMARY|runtime error|fuzz:|Test unit written' "$log" | head -n 20 >&2 || true
    summary+=("$name: FOUND A FAULT (kept in tests/fuzz/regressions/$name) $final")
  else
    summary+=("$name: no finding in ${seconds}s; $final")
  fi
done
printf '%s\n' "${summary[@]}"
exit "$status"
