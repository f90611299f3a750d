#!/usr/bin/env bash
# InstallTreeTest.sh BUILD_DIR PREFIX VERSION
set -uo pipefail
build=$1 prefix=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root$prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$work/root cmake --install "$build" >/dev/null || { echo "FAIL: cmake --install" >&2; exit 1; }

# The tree: the executable alone in bin, every module of the program folder in lib/pictavo,
# the menu entry and an icon of the right size for each hicolor size.
[ "$(ls "$root/bin")" = pictavo ] || fail "bin holds $(ls "$root/bin" | tr '\n' ' ')"
[ -x "$root/bin/pictavo" ] || fail "bin/pictavo is not executable"
[ -f "$root/lib/pictavo/readme.txt" ] || fail "lib/pictavo/readme.txt is missing"
for module in "$build"/bin/*.so "$build"/bin/*.spi; do
  [ -e "$module" ] || continue
  [ -f "$root/lib/pictavo/$(basename "$module")" ] || fail "module $(basename "$module") not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/pictavo.png
  # PNG: width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -j16 -N8 -tu1 "$icon" 2>/dev/null |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "${w:-0}x${h:-0}" = "${size}x${size}" ] || fail "icon $size is ${w:-missing}x${h:-}"
done
desktop-file-validate "$root/share/applications/pictavo.desktop" || fail "desktop-file-validate"

exe=$root/bin/pictavo
# The console options: stdout only, status 0.
out=$("$exe" --version 2>"$work/err"); status=$?
[ $status -eq 0 ] && [ "$out" = "pictavo $version" ] && [ ! -s "$work/err" ] ||
  fail "--version: status $status, '$out', stderr '$(cat "$work/err")'"
out=$("$exe" --help 2>"$work/err"); status=$?
[ $status -eq 0 ] && [[ "$out" == Usage:* ]] && [ ! -s "$work/err" ] || fail "--help: status $status"

# No display: one line on stderr and status 1, not Qt's abort. The display number is one
# that no X server on this machine listens on.
display=99
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=":$display" "$exe" >/dev/null 2>"$work/err"
status=$?
[ $status -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
  grep -q "^pictavo: cannot open display :$display\$" "$work/err" ||
  fail "no display: status $status, stderr: $(cat "$work/err")"

# Installed, with an empty home, showing a tar archive: the archive opens only through the
# installed Tar32.so (else a message box would wait for a click until the time limit); a
# termination signal (sent first, blocked until the program takes it over) ends the show and
# the program the way Escape and closing the launcher do; settings and the temporary folder
# land under the XDG folders, the module folder being the plug-in folder.
mkdir -p "$work/home" "$work/pictures"
# A 1 x 1 24-bit BMP: the headers up to the bit count, 24 zero bytes, one red pixel.
{ printf 'BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0'
  head -c 24 /dev/zero; printf '\0\0\xff\0'; } >"$work/pictures/one.bmp"
tar -cf "$work/pictures.tar" -C "$work/pictures" one.bmp
HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen \
  QT_QPA_FONTDIR=/usr/share/fonts/truetype timeout -s KILL 30 env --block-signal=TERM \
  sh -c 'kill -TERM $$; exec "$0" "$1"' "$exe" "$work/pictures.tar" >/dev/null 2>"$work/err"
status=$?
ini=$work/config/pictavo/pictavo.ini
[ $status -eq 0 ] || fail "offscreen start ended with status $status: $(cat "$work/err")"
grep -q "^SearchSelDirPath=$root/lib/pictavo/"$'\r'"\$" "$ini" 2>/dev/null ||
  fail "settings under XDG_CONFIG_HOME missing or without the module folder"
[ -d "$work/cache/pictavo/tmp" ] || fail "no temporary folder under XDG_CACHE_HOME"
[ ! -e "$root/bin/pictavo.ini" ] && [ ! -e "$root/bin/tmp" ] || fail "files written beside the executable"
[ -z "$(ls -A "$work/home")" ] || fail "files written into HOME: $(ls -A "$work/home")"

[ $failures -eq 0 ] && echo "install tree: all checks passed"
exit $((failures > 0))
