#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Pictavo needs.
# Idempotent and quiet when everything is already there; works as root or through sudo.
#   install-deps.sh [fuzz]    fuzz: also clang and its libFuzzer runtime for scripts/fuzz.sh
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-qpa-plugins
  libjpeg-dev libjpeg-turbo-progs libpng-dev zlib1g-dev libgif-dev libarchive-dev
  fonts-ipafont-gothic
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libvips-dev
  libwebp-dev libtiff-dev libavif-dev libheif-dev libjxl-dev
  libarchive-tools jlha-utils gcab
  locales
  desktop-file-utils
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# The unit tests run once more in this locale, the collation path that Japanese users get.
locale=ja_JP.UTF-8
has_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; }
[ ${#missing[@]} -eq 0 ] && has_locale && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "install-deps: these packages or the $locale locale are missing and I cannot install them" >&2
  echo "without root: ${missing[*]}" >&2
  echo "Run this script as root, or give this user password-less sudo." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! has_locale; then
  echo "install-deps: generating the $locale locale"
  "${as_root[@]}" sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
