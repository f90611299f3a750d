#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit and offscreen window tests).
# The decoders also run once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
if [ -f scripts/sanitize.sh ]; then
  scripts/sanitize.sh
fi
# The read-ahead threads run once more under ThreadSanitizer.
scripts/sanitize-threads.sh
# The resampler loops once more unoptimised, where the copies per instruction set must stay apart.
scripts/debug-kernels.sh
