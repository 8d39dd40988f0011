#!/usr/bin/env bash
# Builds the .deb from the release build, lints it, and installs it: an
# administrator's change to a tier table must survive reinstalling and
# upgrading the package, and both programs must read the changed table.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release

scripts/install-deps.sh dpkg-dev file lintian desktop-file-utils appstream
desktop-file-validate packaging/wexel-converter.desktop
appstreamcli validate --no-net packaging/io.github.wexel_converter.WexelConverter.metainfo.xml

rm -f "$build"/wexel-converter_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/wexel-converter_*.deb)"
echo "== lintian $(basename "$deb")"
# Errors and warnings fail; the two remaining info tags are the C runtime's
# own .comment sections, which strip without arguments keeps.
lintian --fail-on error,warning --display-info "$deb" 2>/dev/null

# Installing needs root: a user set up by the README has sudo.
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
if dpkg-query -W -f='${Status}' wexel-converter 2>/dev/null | grep -q "install ok installed"; then
  echo "package: wexel-converter is installed on this machine; the install check is skipped"
  exit 0
fi

work="$(mktemp -d)"
cleanup() {
  "${as_root[@]}" dpkg --purge wexel-converter >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== install, change a table, reinstall and upgrade"
"${as_root[@]}" dpkg -i "$deb" >/dev/null
dpkg-query -W -f='${Conffiles}\n' wexel-converter | grep -q "/etc/wexel-converter/vqcslope.dat"
test "$(readlink -f /usr/lib/wexel-converter/vqcsname.dat)" = /etc/wexel-converter/vqcsname.dat
/usr/bin/wexel-calc list | grep -q "^WXE007	MSU	5$"

# The administrator's tables: written beside and renamed over, as the README says.
printf 'A1,WXE007,MSU\nZ9,Local Table,ENG\n' |
  "${as_root[@]}" tee /etc/wexel-converter/vqcsname.dat.new >/dev/null
printf 'A1,1,999999,,2\nZ9,1,999999,,3\n' |
  "${as_root[@]}" tee /etc/wexel-converter/vqcslope.dat.new >/dev/null
"${as_root[@]}" mv /etc/wexel-converter/vqcsname.dat.new /etc/wexel-converter/vqcsname.dat
"${as_root[@]}" mv /etc/wexel-converter/vqcslope.dat.new /etc/wexel-converter/vqcslope.dat

# Reinstall the same version, then upgrade to a higher one.
dpkg-deb -R "$deb" "$work/unpacked"
sed -i 's/^Version: .*/&+1/' "$work/unpacked/DEBIAN/control"
dpkg-deb --root-owner-group -b "$work/unpacked" "$work/upgrade.deb" >/dev/null
for package in "$deb" "$work/upgrade.deb"; do
  "${as_root[@]}" dpkg -i --force-confnew "$package" >/dev/null
  # Both programs read the folder of their executable: the links lead to /etc.
  test "$(readlink -f /usr/lib/wexel-converter/vqcsname.dat)" = /etc/wexel-converter/vqcsname.dat
  /usr/bin/wexel-calc list | grep -q "^Local Table	ENG	1$"
  test "$(/usr/bin/wexel-calc to-wx WXE007 100)" = 200
done
echo "package: the changed tables survived reinstalling and upgrading to $(dpkg-query -W -f='${Version}' wexel-converter)"

"${as_root[@]}" dpkg --remove wexel-converter >/dev/null
test -f /etc/wexel-converter/vqcslope.dat # a removed package keeps its configuration
"${as_root[@]}" dpkg --purge wexel-converter >/dev/null
test ! -e /etc/wexel-converter
echo "package: OK"
