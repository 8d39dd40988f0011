#!/usr/bin/env bash
# Checks the Windows installer under Wine: a silent install, the installed
# wexel-calc.exe working from its own DLLs alone, a changed tier table kept
# over a reinstall and an uninstall, and the rest removed.
#   bash scripts/windows-installer-check.sh SETUP.EXE WINE-RUN.SH [ON|OFF]
# The third argument says whether the package holds the window program (ON,
# the default) or wexel-calc alone.
set -euo pipefail
setup=$(realpath "$1")
wine_run=$2
gui=${3:-ON}

# The Wine prefix of the build's wrapper, and its own wine, without the build's
# DLL path: the installed program must find everything in its folder.
prefix=$(sed -n 's/^export WINEPREFIX="\${WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
export WINEPREFIX=${WINEPREFIX:-$prefix} WINEDEBUG=-all WINEPATH=""
wine() { "$wine_run" "$@"; }
installed() { WINEPATH="" "$(sed -n 's/^exec "\(.*\)" "\$@"$/\1/p' "$wine_run")" "$@"; }

folder="$WINEPREFIX/drive_c/Program Files/Wexel Converter"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Wexel Converter.lnk"
fail() { echo "installer check failed: $*" >&2; exit 1; }

rm -rf "$folder"
wine "$setup" /S
wineserver -w
[[ -f $folder/wexel-calc.exe && -f $folder/uninstall.exe ]] || fail "programs not installed in $folder"
if [[ $gui == ON ]]; then
  [[ -f $folder/wexel-converter.exe ]] || fail "no wexel-converter.exe in $folder"
  [[ -f $folder/platforms/qwindows.dll ]] || fail "no platform plugin"
  [[ -f $menu ]] || fail "no Start-menu entry"
fi
answer=$(installed "$folder/wexel-calc.exe" to-wx WXE007 1500 | tr -d '\r')
[[ $answer == 275 ]] || fail "installed wexel-calc.exe printed '$answer'"
echo "  installed; the installed wexel-calc.exe prints $answer"

# A table the user changed survives a reinstall; the unchanged one is the sample.
sed -i 's/Enterprise Server Suite/Changed by the user/' "$folder/vqcsname.dat"
changed=$(sha256sum <"$folder/vqcsname.dat")
sample=$(cd "$(dirname "$0")/.." && sha256sum <data/vqcslope.dat)
wine "$setup" /S
wineserver -w
[[ $(sha256sum <"$folder/vqcsname.dat") == "$changed" ]] || fail "the changed vqcsname.dat was replaced"
[[ $(sha256sum <"$folder/vqcslope.dat") == "$sample" ]] || fail "vqcslope.dat is not the sample"
installed "$folder/wexel-calc.exe" list | grep -q "Changed by the user" ||
  fail "the reinstalled wexel-calc.exe does not read the kept table"
echo "  reinstalled; the changed table was kept and is read"

wine "$folder/uninstall.exe" /S
wineserver -w
[[ ! -e $folder/wexel-converter.exe && ! -e $folder/uninstall.exe && ! -e $menu ]] ||
  fail "the uninstaller left the program"
[[ -f $folder/vqcsname.dat ]] || fail "the uninstaller removed the changed table"
[[ ! -e $folder/vqcslope.dat ]] || fail "the uninstaller left the unchanged table"
echo "  uninstalled; left: $(cd "$folder" && echo *)"
rm -rf "$folder"
