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
  # Whatever has already ended, the test's own outcome stands.
  [[ -z "${wm:-}" ]] || kill "$wm" 2>/dev/null || true
  [[ -z "${xvfb:-}" ]] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display nobody else uses: Xvfb picks a free number itself and says which
# once it listens, so that two runs never meet on one display (an X server's
# abstract socket is shared even across chroots).
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -s "$work/display" ]]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
display=":$(head -n 1 "$work/display")"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_SCALE_FACTOR
# A window manager gives the program's windows the keyboard, as a desktop does.
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
wm=$!
mkdir -m 700 "$work/guard"
dbus-run-session -- /usr/bin/python3 "$here/check.py" "$program" "$work/guard"
