#!/usr/bin/env bash
# Cross-builds Wexel Converter for 64-bit Windows on Debian 12, tests it under
# Wine and packages it (an NSIS installer and a portable zip).
#
# The Windows libraries are built once, from Debian's own source packages,
# into ~/.cache/wexel-converter/windows-x86_64 (WEXEL_WINDOWS_CACHE moves it):
# nettle, ICU (with a native build of ICU's tools from the same source) and
# Qt's base modules (with Debian's own Qt as the host tools). Later runs find
# them there and build the project only.
#
#   bash scripts/windows.sh                 everything that is missing, then the project
#   bash scripts/windows.sh --dependencies  the Windows libraries only
#   bash scripts/windows.sh --if-cached     the project only, and only when the
#                                           libraries are already built (for CI)
#   bash scripts/windows.sh --without-qt    wexel-calc alone: no Qt to build, no
#                                           window program
#   bash scripts/windows.sh --agreement     everything, and then the Linux window
#                                           against wexel-calc.exe under Wine over
#                                           the window-agreement test's tables
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

mode=all
case "${1:-}" in
  "") ;;
  --dependencies) mode=dependencies ;;
  --if-cached) mode=if-cached ;;
  --without-qt) mode=without-qt ;;
  --agreement) mode=agreement ;;
  *) echo "usage: $0 [--dependencies | --if-cached | --without-qt | --agreement]" >&2; exit 2 ;;
esac

cache=${WEXEL_WINDOWS_CACHE:-$HOME/.cache/wexel-converter/windows-x86_64}
export WEXEL_WINDOWS_CACHE=$cache
triplet=x86_64-w64-mingw32
jobs=$(nproc)
prefix=$cache/prefix
qt=$cache/qt
stamps=$cache/stamps
logs=$cache/logs
# The versions Debian 12 builds its own packages from: the Linux build's.
icu_version=72.1
nettle_version=3.8.1
qt_version=6.4.2

# Heavy work gives way to anything else on the machine.
nice=(nice -n 19)
if command -v ionice >/dev/null; then
  nice+=(ionice -c3)
fi

started=$(date +%s)
timings=()
step_started=0
step_name=""
begin() {
  step_name=$1
  step_started=$(date +%s)
  echo "== $step_name"
}
end() {
  local took=$(($(date +%s) - step_started))
  timings+=("$(printf '%-34s %4d s' "$step_name" "$took")")
  echo "== $step_name: $took s"
}
summary() {
  echo
  echo "Times:"
  printf '  %s\n' "${timings[@]}"
  echo "  total                              $(($(date +%s) - started)) s"
}

# A step's log is kept in the cache; a failed step shows its end.
run_logged() {
  local log=$logs/$1.log
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "failed: see $log" >&2
    exit 1
  fi
}

libraries_built() {
  [[ -e $stamps/nettle-$nettle_version && -e $stamps/icu-$icu_version && -e $stamps/nlohmann-json &&
    -e $stamps/qt-$qt_version ]]
}

if [[ $mode == if-cached ]] && ! libraries_built; then
  echo "Skipping the Windows build: its libraries are not in $cache (building them takes"
  echo "about 20 minutes on two cores, more on a busy machine); run 'bash scripts/windows.sh'"
  echo "once to make them."
  exit 0
fi

# ---------------------------------------------------------------------------
begin "packages"
packages=(
  cmake ninja-build pkg-config make m4 python3 dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 nsis zip
  googletest nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools
  xvfb openbox xauth imagemagick xdotool
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
end

mkdir -p "$cache/src" "$cache/build" "$prefix" "$stamps" "$logs"

# ---------------------------------------------------------------------------
# Debian's source packages, unpacked with Debian's patches.
source_of() { # package version folder
  local package=$1 folder=$cache/src/$3
  if [[ -d $folder ]]; then
    return
  fi
  if ! apt-get source --print-uris "$package" >/dev/null 2>&1 ||
    [[ -z $(apt-get source --print-uris "$package" 2>/dev/null | grep "'") ]]; then
    echo "Adding Debian's deb-src entries to fetch the sources"
    $sudo tee /etc/apt/sources.list.d/wexel-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get update -qq
  fi
  (cd "$cache/src" && apt-get source -qq --download-only "$package=$2" >/dev/null 2>&1 &&
    dpkg-source -x "${package}_${2#*:}.dsc" >/dev/null)
}

if [[ ! -e $stamps/nettle-$nettle_version ]]; then
  begin "nettle $nettle_version"
  source_of nettle 3.8.1-2 nettle-3.8.1
  rm -rf "$cache/build/nettle" && mkdir -p "$cache/build/nettle"
  # Debian's patches leave configure.ac newer than what was made from it:
  # nothing is to be regenerated (no autotools here).
  touch "$cache/src/nettle-3.8.1/aclocal.m4" "$cache/src/nettle-3.8.1/configure" \
    "$cache/src/nettle-3.8.1/config.h.in" "$cache/src/nettle-3.8.1/stamp-h.in"
  (
    cd "$cache/build/nettle"
    # Only the hashes are needed: no public-key part, so no GMP.
    run_logged nettle-configure "${nice[@]}" "$cache/src/nettle-3.8.1/configure" \
      --host=$triplet CC=$triplet-gcc-posix --prefix="$prefix" \
      --disable-public-key --disable-documentation --disable-openssl --disable-static
    run_logged nettle-build "${nice[@]}" make -j"$jobs"
    run_logged nettle-install make install
  )
  touch "$stamps/nettle-$nettle_version"
  end
fi

if [[ ! -e $stamps/icu-$icu_version ]]; then
  source_of icu 72.1-3+deb12u1 icu-72.1
  # A cross build of ICU runs ICU's own tools on its data: they come from a
  # native build of the same source.
  if [[ ! -e $stamps/icu-host-$icu_version ]]; then
    begin "ICU $icu_version tools (native)"
    rm -rf "$cache/build/icu-host" && mkdir -p "$cache/build/icu-host"
    (
      cd "$cache/build/icu-host"
      run_logged icu-host-configure "${nice[@]}" "$cache/src/icu-72.1/source/configure" \
        --disable-tests --disable-samples --disable-extras --disable-layoutex
      run_logged icu-host-build "${nice[@]}" make -j"$jobs"
    )
    touch "$stamps/icu-host-$icu_version"
    end
  fi
  begin "ICU $icu_version (Windows)"
  rm -rf "$cache/build/icu" && mkdir -p "$cache/build/icu"
  (
    cd "$cache/build/icu"
    run_logged icu-configure "${nice[@]}" "$cache/src/icu-72.1/source/configure" \
      --host=$triplet CC=$triplet-gcc-posix CXX=$triplet-g++-posix --prefix="$prefix" \
      --with-cross-build="$cache/build/icu-host" \
      --disable-tests --disable-samples --disable-extras --disable-layoutex --disable-icuio
    run_logged icu-build "${nice[@]}" make -j"$jobs"
    run_logged icu-install make install
  )
  touch "$stamps/icu-$icu_version"
  end
fi

if [[ ! -e $stamps/nlohmann-json ]]; then
  # Headers only: Debian's own, beside the other Windows libraries, so that
  # the cross build never looks into the build machine's /usr/include.
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
  touch "$stamps/nlohmann-json"
fi

if [[ ! -e $stamps/qt-$qt_version && $mode != without-qt ]]; then
  begin "Qt $qt_version qtbase (Windows)"
  source_of qt6-base 6.4.2+dfsg-10 qt6-base-6.4.2+dfsg
  # Debian's qtbase leaves out Wacom's wintab.h (its licence forbids changes),
  # which the windows platform plugin's tablet support includes: the plugin is
  # built without that support (the program takes no tablet input).
  plugin=$cache/src/qt6-base-6.4.2+dfsg/src/plugins/platforms/windows
  if [[ ! -e $plugin/.without-wintab ]]; then
    sed -i 's/QT_CONFIG(tabletevent)/(QT_CONFIG(tabletevent) \&\& !defined(QT_NO_WINTAB))/' \
      "$plugin/qwindowscontext.cpp" "$plugin/qwindowspointerhandler.cpp" \
      "$plugin/qwindowspointerhandler.h"
    sed -i 's|^qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION QT_FEATURE_tabletevent$|qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION QT_FEATURE_tabletevent\n    DEFINES QT_NO_WINTAB\n)\nqt_internal_extend_target(QWindowsIntegrationPlugin CONDITION QT_FEATURE_tabletevent AND FALSE|' \
      "$plugin/CMakeLists.txt"
    touch "$plugin/.without-wintab"
  fi
  # The plugin asks for Qt's DirectWrite font database, which Qt builds only
  # with Direct2D, left out here: the plugin keeps its default, GDI's.
  if [[ ! -e $plugin/.without-direct2d ]]; then
    sed -i 's/QT_CONFIG(directwrite3)/(QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d))/' \
      "$plugin/qwindowsintegration.cpp"
    touch "$plugin/.without-direct2d"
  fi
  # Without TLS (the program opens no connection) there is nothing for
  # Windows' TLS plugin to build on, though Qt 6.4 still builds it.
  tls=$cache/src/qt6-base-6.4.2+dfsg/src/plugins/tls/CMakeLists.txt
  sed -i 's/^if (QT_FEATURE_schannel)$/if (QT_FEATURE_schannel AND QT_FEATURE_ssl)/' "$tls"
  # A build that was stopped goes on where it stopped.
  if [[ ! -e $cache/build/qt/build.ninja ]]; then
    # Only what the program uses: Core, Gui, Widgets, Network and the windows
    # platform plugin. The host tools (moc, rcc, uic) are Debian's own Qt 6.4.2.
    run_logged qt-configure "${nice[@]}" cmake -S "$cache/src/qt6-base-6.4.2+dfsg" \
      -B "$cache/build/qt" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
      -DQT_BUILD_TESTS_BY_DEFAULT=OFF -DQT_BUILD_EXAMPLES_BY_DEFAULT=OFF \
      -DFEATURE_sql=OFF -DFEATURE_testlib=OFF -DFEATURE_printsupport=OFF \
      -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
      -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF \
      -DFEATURE_icu=OFF -DFEATURE_openssl=OFF -DFEATURE_zstd=OFF -DFEATURE_brotli=OFF \
      -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_freetype=OFF -DFEATURE_ssl=OFF \
      -DFEATURE_tuiotouch=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
      -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
  fi
  run_logged qt-build "${nice[@]}" cmake --build "$cache/build/qt" --parallel "$jobs"
  run_logged qt-install cmake --install "$cache/build/qt"
  touch "$stamps/qt-$qt_version"
  end
fi

if [[ $mode == dependencies ]]; then
  summary
  exit 0
fi

# ---------------------------------------------------------------------------
# The project, with the windows preset.
build=$root/build/windows
version=$(sed -n 's/^project(WexelConverter VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
wine_run=$build/wine-run.sh

gui=ON
if [[ $mode == without-qt ]]; then
  gui=OFF
fi
begin "configure"
run_logged project-configure "${nice[@]}" cmake --preset windows -DWEXEL_BUILD_GUI=$gui
end

begin "build"
run_logged project-build "${nice[@]}" cmake --build --preset windows --parallel "$jobs"
end

begin "tests under Wine"
# The first test makes the Wine prefix.
if ! "${nice[@]}" ctest --preset windows --parallel "$jobs" >"$logs/project-tests.log" 2>&1; then
  cat "$logs/project-tests.log" >&2
  echo "failed: the tests under Wine" >&2
  exit 1
fi
grep -E "tests passed|Total Test time" "$logs/project-tests.log"
end

begin "wexel-calc.exe under Wine"
answer=$("$wine_run" "$build/bin/wexel-calc.exe" to-wx WXE007 1500 | tr -d '\r')
echo "wexel-calc.exe to-wx WXE007 1500: $answer"
if [[ $answer != 275 ]]; then
  echo "failed: wexel-calc.exe printed '$answer', not 275" >&2
  exit 1
fi
end

if [[ $mode == agreement && $gui == ON ]]; then
  begin "window agreement with wexel-calc.exe"
  # The Linux window against the Windows wexel-calc, over the same random
  # tables: they agree, or one of them is wrong.
  host=$root/build/windows-host
  bash "$root/scripts/install-deps.sh" --tests
  run_logged host-configure "${nice[@]}" cmake --preset dev -B "$host"
  run_logged host-build "${nice[@]}" cmake --build "$host" --target cli_window_agreement_test \
    --parallel "$jobs"
  if ! WEXEL_CALC_UNDER_TEST="$wine_run $build/bin/wexel-calc.exe" \
    ctest --test-dir "$host" -R '^cli_window_agreement_test$' --output-on-failure \
    >"$logs/host-agreement.log" 2>&1; then
    tail -n 40 "$logs/host-agreement.log" >&2
    echo "failed: the window and wexel-calc.exe disagree" >&2
    exit 1
  fi
  echo "  the window and wexel-calc.exe agree over the window-agreement test's tables"
  end
fi

begin "packages"
name=wexel-converter-$version-win64
stage=$build/stage/$name
rm -rf "$build/stage"
run_logged project-install cmake --install "$build" --prefix "$stage"
(cd "$build/stage" && rm -f "$build/$name.zip" && zip -qr9 "$build/$name.zip" "$name")
run_logged project-nsis makensis -V2 -DVERSION="$version" -DSTAGE="$stage" \
  -DOUTFILE="$build/$name-setup.exe" "$root/packaging/windows/wexel-converter.nsi"
ls -l "$build/$name.zip" "$build/$name-setup.exe" | awk '{print "  " $5 " bytes  " $9}'
end

begin "installer under Wine"
bash "$root/scripts/windows-installer-check.sh" "$build/$name-setup.exe" "$wine_run" $gui
end

if [[ $gui == ON ]]; then
  begin "window under Wine"
  bash "$root/scripts/windows-window-check.sh" "$stage" "$wine_run" "$build/pictures"
  end
fi

summary
