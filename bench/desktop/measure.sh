#!/usr/bin/env bash
# Times the real program on a virtual 1920 x 1080 X screen, beside feh on the same pictures.
# Nothing in the program is changed or asked: the screen is read (a few root-window pixels whose
# colour names the generated picture), keys are sent with XTest, times are CLOCK_MONOTONIC.
#
#   bench/desktop/measure.sh [-n RUNS] [-s SECONDS] [PROGRAM]
#     RUNS     start-up runs per viewer and file (median), default 5
#     SECONDS  length of the key bursts, default 3
#     PROGRAM  the executable to time, default build/bin/pictavo; its folder is copied and a
#              settings file that fits every picture to the screen is written beside the copy
#
# Needs Xvfb, feh, a C++ compiler with the X11, XTest and Qt 6 headers and djpeg/cjpeg:
# bench/desktop/install-bench-deps.sh installs them. Everything it starts is stopped on exit;
# its pictures live in a temporary folder under /tmp that is removed at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

runs=5
burst=3
while getopts "n:s:" opt; do
  case $opt in
    n) runs=$OPTARG ;;
    s) burst=$OPTARG ;;
    *) sed -n '2,12p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
program=$(readlink -f "${1:-$root/build/bin/pictavo}")

for tool in Xvfb feh cjpeg djpeg c++ pkg-config; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "measure: $tool is missing; run bench/desktop/install-bench-deps.sh" >&2
    exit 1
  fi
done
[ -x "$program" ] || { echo "measure: no program at $program (build it first)" >&2; exit 1; }

work=$(mktemp -d /tmp/pictavo-desktop.XXXXXX)
xvfb_pid=
probe_pid=
cleanup() {
  # Only what this script started, by id: the probe (which takes its viewer with it), the server.
  local pid
  for pid in $probe_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

log() { printf '%s\n' "$*" >&2; }

log "measure: building the screen probe"
probe=$work/screen_probe
c++ -O2 -std=c++20 -Wall -Wextra -o "$probe" "$here/ScreenProbe.cpp" -lX11 -lXtst -ljpeg
# The floor for start-up and memory: the least a Qt Widgets program does to show one picture.
bare=$work/bare_qt_viewer
# shellcheck disable=SC2046  # pkg-config's words are meant to split
c++ -O2 -std=c++20 -fPIC -o "$bare" "$here/BareQtViewer.cpp" $(pkg-config --cflags --libs Qt6Widgets)

# --- Pictures: each one a colour of its own (its index in the folder) under photograph-like grain.
make_folder() {  # make_folder DIR W H COUNT
  mkdir -p "$1"
  for ((i = 0; i < $4; i++)); do
    "$probe" gen "$2" "$3" "$i" | cjpeg -quality 90 >"$1/$(printf %03d "$i").jpg"
  done
}
big_count=20
# More 1920 x 1080 pictures than a burst of keys can travel, so every position on screen is
# known without wrapping round the folder.
hd_count=$((100 * burst + 60))
log "measure: generating $big_count pictures of 6000 x 4000 and $hd_count of 1920 x 1080 in $work"
make_folder "$work/big" 6000 4000 "$big_count"
make_folder "$work/hd" 1920 1080 "$hd_count"
mkdir -p "$work/one24" "$work/one2k"
cp "$work/big/000.jpg" "$work/one24/"
cp "$work/hd/000.jpg" "$work/one2k/"

# --- The program runs from a copy of its folder, so that its own settings file stays untouched.
prog_dir=$work/program
mkdir -p "$prog_dir"
for entry in "$(dirname "$program")"/*; do
  case $(basename "$entry") in demo | tmp | pictavo.ini) ;; *) cp -a "$entry" "$prog_dir/" ;; esac
done
# Fit every picture to the screen, as feh's --auto-zoom does; the rest stays at its defaults.
printf '[System]\r\nImageResizeType=3\r\n' >"$prog_dir/pictavo.ini"
pictavo=("$prog_dir/$(basename "$program")")
feh=(feh --fullscreen --auto-zoom --sort filename --hide-pointer)

# --- A virtual screen on a free display; repeats of a held key every 10 ms after 200 ms.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -ardelay 200 -arinterval 10 \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "measure: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
log "measure: Xvfb on $DISPLAY"

value() { awk -v k="$1" '$1 == k { print $2; exit }' "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || a == "nan" || b == "nan" || b == 0) print "-"; else printf "%.2f", a / b }'; }

# run NAME COUNT MODE ARGS... -- CMD...: the probe's output in $work/NAME.out (a failed run is
# reported and leaves its figures empty). COUNT is how many pictures the viewer cycles through.
run() {
  local name=$1 count=$2; shift 2
  # In the background, so that an interrupt is served at once rather than after the probe.
  PROBE_COUNT=$count "$probe" "$@" >"$work/$name.out" 2>&1 &
  probe_pid=$!
  if ! wait "$probe_pid"; then log "measure: $name: $(tr '\n' ' ' <"$work/$name.out")"; fi
  probe_pid=
}

# --- Start-up to the first picture and peak memory, the two viewers taking turns.
for size in one24 one2k; do
  for ((r = 0; r < runs; r++)); do
    log "measure: start-up $size run $((r + 1))/$runs"
    run "start-$size-pictavo-$r" 1 start 0 -- "${pictavo[@]}" "$work/$size"
    run "start-$size-feh-$r" 1 start 0 -- "${feh[@]}" "$work/$size"
    run "start-$size-bare-$r" 1 start 0 -- "$bare" "$work/$size"
  done
done
startup() {  # startup SIZE VIEWER KEY -> median over runs
  for ((r = 0; r < runs; r++)); do value "$3" "$work/start-$1-$2-$r.out"; done | median
}

# --- Key to picture after a pause of one second, on the 6000 x 4000 folder, and the decode floor.
log "measure: key after a pause (6000 x 4000)"
run pause-pictavo $big_count pause 8 -- "${pictavo[@]}" "$work/big"
run pause-feh $big_count pause 8 -- "${feh[@]}" "$work/big"
run djpeg-big 1 time-cmd 5 -- djpeg -outfile /dev/null "$work/big/001.jpg"

# --- Separate presses at 100 per second and a held key, on the 1920 x 1080 folder.
log "measure: 100 presses per second for $burst s, then a held key"
run presses-pictavo $hd_count presses 100 "$burst" -- "${pictavo[@]}" "$work/hd"
run presses-feh $hd_count presses 100 "$burst" -- "${feh[@]}" "$work/hd"
# Again with two forward keys in turn (Right and the one-page key I; Right and n for feh): a
# busy server stamps a press with its release's time, which Qt reads as auto-repeat.
PROBE_KEYS=Right,i run alternate-pictavo $hd_count presses 100 "$burst" -- "${pictavo[@]}" "$work/hd"
PROBE_KEYS=Right,n run alternate-feh $hd_count presses 100 "$burst" -- "${feh[@]}" "$work/hd"
run hold-pictavo $hd_count hold 100 "$burst" 200 -- "${pictavo[@]}" "$work/hd"
run hold-feh $hd_count hold 100 "$burst" 200 -- "${feh[@]}" "$work/hd"
run decode-hd 1 decode 2 "$work"/hd/0[0-3]?.jpg

# --- A key-result line over the fitted 6000 x 4000 picture (feh has no such line).
log "measure: key-result redraw"
printf '[System]\r\nImageResizeType=3\r\nIsShowKeyResult=1\r\n' >"$prog_dir/pictavo.ini"
run redraw-pictavo 1 redraw 8 -- "${pictavo[@]}" "$work/one24"

# --- The table.
row() {  # row LABEL PICTAVO FEH [NOTE]
  printf '%-44s %10s %10s %8s  %s\n' "$1" "${2:--}" "${3:--}" "$(ratio "${2:-}" "${3:-}")" "${4:-}"
}
echo
echo "Pictavo against feh on Xvfb 1920x1080x24 ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-44s %10s %10s %8s  %s\n' "" pictavo feh ratio ""
for size in one24 one2k; do
  label=$([ $size = one24 ] && echo "6000x4000" || echo "1920x1080")
  row "start-up to picture, $label JPEG (ms)" "$(startup $size pictavo startup_ms)" \
    "$(startup $size feh startup_ms)" "median of $runs"
  row "peak RSS, $label JPEG (MB)" \
    "$(startup $size pictavo peak_rss_kb | awk '{ printf "%.1f", $1 / 1024 }')" \
    "$(startup $size feh peak_rss_kb | awk '{ printf "%.1f", $1 / 1024 }')" "VmHWM"
  row "  bare Qt viewer: start-up (ms)" "$(startup $size bare startup_ms)" "$(startup $size feh startup_ms)" \
    "the floor for Qt Widgets"
  row "  bare Qt viewer: peak RSS (MB)" "$(startup $size bare peak_rss_kb | awk '{ printf "%.1f", $1 / 1024 }')" \
    "$(startup $size feh peak_rss_kb | awk '{ printf "%.1f", $1 / 1024 }')"
done
floor=$(value cmd_ms_median "$work/djpeg-big.out")
for v in pictavo feh; do eval "pause_$v=\$(value key_to_picture_ms_median \"$work/pause-$v.out\")"; done
row "key after 1 s pause, 6000x4000 fitted (ms)" "$pause_pictavo" "$pause_feh" "median of 8"
row "  the same / djpeg floor (${floor:-?} ms)" "$(ratio "$pause_pictavo" "$floor")" "$(ratio "$pause_feh" "$floor")"
row "peak RSS browsing 6000x4000 (MB)" \
  "$(value peak_rss_kb "$work/pause-pictavo.out" | awk '{ printf "%.1f", $1 / 1024 }')" \
  "$(value peak_rss_kb "$work/pause-feh.out" | awk '{ printf "%.1f", $1 / 1024 }')" "9 pictures"
decode_rate=$(value decode_per_s "$work/decode-hd.out")
for kind in presses alternate hold; do
  p=$work/$kind-pictavo.out f=$work/$kind-feh.out
  case $kind in
    presses) echo "100 separate presses per second of Right, $burst s:" ;;
    alternate) echo "100 separate presses per second, Right and I (feh: n) in turn, $burst s:" ;;
    hold) echo "Right held $burst s, server auto-repeat every 10 ms after 200 ms:" ;;
  esac
  row "  pictures shown per s" "$(value shown_per_s "$p")" "$(value shown_per_s "$f")"
  row "  shown / decode-only rate (${decode_rate:-?}/s)" "$(ratio "$(value shown_per_s "$p")" "$decode_rate")" \
    "$(ratio "$(value shown_per_s "$f")" "$decode_rate")"
  row "  key presses the server delivered per s" "$(value server_press_per_s "$p")" "$(value server_press_per_s "$f")"
  if [ $kind != hold ]; then
    row "  presses stamped as their release (Qt: repeat)" "$(value presses_same_time_as_release "$p")" \
      "$(value presses_same_time_as_release "$f")" "a busy server's artefact"
  fi
  row "  pictures shown after the last key" "$(value pictures_after_last_key "$p")" \
    "$(value pictures_after_last_key "$f")"
  row "  positions moved after the last key" "$(value positions_after_last_key "$p")" \
    "$(value positions_after_last_key "$f")"
  row "  ms from the last key to the last change" "$(value stop_ms_after_last_key "$p")" \
    "$(value stop_ms_after_last_key "$f")"
  if [ $kind != hold ]; then
    row "  last picture short of the last position" "$(value short_of_last_position "$p")" \
      "$(value short_of_last_position "$f")" "of $(value keys_sent "$p") / $(value keys_sent "$f") presses"
    row "  presses lost (one more press shows)" "$(value presses_lost "$p")" "$(value presses_lost "$f")" \
      "the rest were reached, not painted"
  else
    row "  positions moved in all" "$(value positions_advanced "$p")" "$(value positions_advanced "$f")"
  fi
done
row "key-result line over 6000x4000 fitted (ms)" "$(value redraw_ms_median "$work/redraw-pictavo.out")" "" \
  "median of $(value redraw_seen "$work/redraw-pictavo.out") (the clock key, T)"
echo
echo "Start-up: from fork to the picture's colour at five screen points. Key times: from the XTest"
echo "press to the next picture's colour. Decode floor: djpeg to /dev/null (median of 5); the"
echo "decode-only rate is libjpeg in one thread, row by row, over 40 of the 1920x1080 pictures, twice."
for f in "$work"/*.out; do
  grep -H '^error\|^note' "$f" 2>/dev/null | sed "s|$work/||" || true
done
exit 0
