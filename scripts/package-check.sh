#!/usr/bin/env bash
# Builds the .deb from a build folder (default build/dev), unpacks it into a
# temporary root and runs the installed wexel-calc from there: the package
# must hold the programs with their data files side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"

scripts/install-deps.sh dpkg-dev file
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/wexel-converter_*.deb | head -1)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
echo "== $(basename "$deb"): wexel-calc list from ${root}"
listed="$("$root/usr/bin/wexel-calc" list)"
echo "$listed"
grep -q "^WXE007	MSU	" <<<"$listed"
test -x "$root/usr/lib/wexel-converter/wexel-converter"
test -f "$root/usr/share/applications/wexel-converter.desktop"
echo "package: OK"
