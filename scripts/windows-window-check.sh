#!/usr/bin/env bash
# Starts the Windows window program under Wine on a display of its own (Xvfb,
# with openbox as its window manager), takes a picture of the About dialog
# and of the converter window, types a first estimate and takes its picture,
# and checks the single-instance guard: a second
# start, while the window is minimised, brings it back to the front and ends.
#   bash scripts/windows-window-check.sh FOLDER WINE-RUN.SH PICTURES-FOLDER
# FOLDER holds wexel-converter.exe with its DLLs and data files (an installed
# or unpacked copy): the program runs without the build's DLL path.
set -euo pipefail
if [[ -z ${WEXEL_ON_DISPLAY:-} ]]; then
  exec env WEXEL_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
folder=$(realpath "$1")
wine_run=$2
pictures=$(realpath "$3")
mkdir -p "$pictures"

prefix=$(sed -n 's/^export WINEPREFIX="\${WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
wine=$(sed -n 's/^exec "\(.*\)" "\$@"$/\1/p' "$wine_run")
export WINEPREFIX=${WINEPREFIX:-$prefix} WINEDEBUG=-all WINEPATH=""
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

fail() { echo "window check failed: $*" >&2; exit 1; }
# Waits up to a minute for a window whose title matches; prints its id.
window() {
  local id
  for _ in $(seq 600); do
    if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [[ -n $id ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

openbox 2>/dev/null &
openbox_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
first_pid=""
cleanup() {
  [[ -n $first_pid ]] && kill "$first_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$openbox_pid" 2>/dev/null || true
}
trap cleanup EXIT

"$wine" "$folder/wexel-converter.exe" &
first_pid=$!
about=$(window "^About Wexel Converter$") || fail "no About dialog"
sleep 1 # let it paint
import -window root "$pictures/about.png"
echo "  About dialog shown: $pictures/about.png"
xdotool windowactivate --sync "$about" key Return
main=$(window "^Wexel Converter$") || fail "no converter window after About"
sleep 1
import -window root "$pictures/converter.png"
echo "  converter window shown: $pictures/converter.png"

# A user's first estimate: W chooses WXE007, Tab goes to calculator 1, and
# 1500 is typed; the picture shows its result (275).
xdotool windowactivate --sync "$main"
xdotool key --delay 200 W Tab
xdotool type --delay 100 1500
sleep 1
import -window root "$pictures/typed-1500.png"
echo "  1500 typed into calculator 1 of WXE007: $pictures/typed-1500.png"

# A second start while the window is minimised.
xdotool windowminimize --sync "$main"
"$wine" "$folder/wexel-converter.exe" &
second_pid=$!
for _ in $(seq 600); do
  kill -0 "$second_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$second_pid" 2>/dev/null && fail "the second start did not end"
wait "$second_pid" || true
for _ in $(seq 100); do
  [[ $(xdotool getactivewindow getwindowname 2>/dev/null) == "Wexel Converter" ]] && break
  sleep 0.1
done
[[ $(xdotool getactivewindow getwindowname 2>/dev/null) == "Wexel Converter" ]] ||
  fail "the second start did not bring the window to the front"
import -window root "$pictures/raised.png"
echo "  a second start ended and raised the window: $pictures/raised.png"

# Closed as a user closes it: the window manager's Alt+F4.
xdotool windowactivate --sync "$main" key alt+F4
for _ in $(seq 300); do
  kill -0 "$first_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$first_pid" 2>/dev/null && fail "the window program did not end when closed"
first_pid=""
echo "  closed; the program ended"
