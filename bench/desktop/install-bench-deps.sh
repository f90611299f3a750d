#!/usr/bin/env bash
# Installs what bench/desktop/measure.sh needs beyond the build's own packages: a virtual X
# server, feh to compare with, the X11/XTest headers for the screen probe and Qt's headers for
# the bare Qt viewer that shows what any Qt Widgets program pays.
# Idempotent; works as root or through password-less sudo.
set -euo pipefail

packages=(xvfb feh libx11-dev libxtst-dev libjpeg-dev libjpeg-turbo-progs g++ pkg-config qt6-base-dev)
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
  echo "install-bench-deps: missing ${missing[*]}; run this script as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "install-bench-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
