#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Pictavo needs.
# Idempotent and quiet when everything is already there; works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-qpa-plugins
  libjpeg-dev libjpeg-turbo-progs libpng-dev zlib1g-dev libgif-dev libarchive-dev
  fonts-ipafont-gothic
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libvips-dev
  libwebp-dev libtiff-dev libavif-dev libheif-dev libjxl-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "install-deps: these packages are missing and I cannot install them without root:" >&2
  echo "  ${missing[*]}" >&2
  echo "Run this script as root, or give this user password-less sudo." >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
