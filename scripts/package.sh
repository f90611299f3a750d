#!/usr/bin/env bash
# Builds the Debian package: scripts/package.sh [BUILD_DIR]  (default: build-package)
# The program is configured for the /usr prefix in a build folder of its own, without tests
# and benchmarks, and CPack writes pictavo_<version>_amd64.deb into the repository's root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DPICTAVO_BUILD_TESTS=OFF -DPICTAVO_BUILD_BENCH=OFF
(cd "$dir" && cpack -G DEB -B "$dir/package" >/dev/null)
deb=$(ls -t "$dir"/package/pictavo_*_amd64.deb | head -n 1)
cp "$deb" "$root/"
echo "package.sh: $root/$(basename "$deb")"
