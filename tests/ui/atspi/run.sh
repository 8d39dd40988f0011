#!/usr/bin/env bash
# The converter window through the desktop's accessibility bus, as a screen
# reader meets it: a display and a session bus of the test's own, the program
# started on them with its guard in a folder of the test's own, and check.py
# reading and driving it over AT-SPI.
#   run.sh PROGRAM
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
chmod 700 "$work"
cleanup() {
  [[ -n "${wm:-}" ]] && kill "$wm" 2>/dev/null
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display nobody else uses.
for n in $(seq 140 199); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
    display=":$n"
    break
  fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X${display#:} ]] && break
  sleep 0.1
done
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_SCALE_FACTOR
# A window manager gives the program's windows the keyboard, as a desktop does.
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
wm=$!
dbus-run-session -- /usr/bin/python3 "$here/check.py" "$program" "$work/guard"
