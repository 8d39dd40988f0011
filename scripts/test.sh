#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test once: the whole suite
# under AddressSanitizer and UBSan; the release build packaged, linted,
# installed and upgraded; then each fuzz target replays its corpus and runs
# briefly from a fixed seed, so that every run tries the same inputs
# (WEXEL_FUZZ_SECONDS, default 20). The benchmarks are built with the
# release, not run, so they keep compiling.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests libbenchmark-dev

echo "== layers: no include climbs out of its folder"
# The layers' include roots refuse a header against the direction; a path
# written with ../ would pass by them.
if grep -rn --include='*.cpp' --include='*.h' '#include "\.\./' src tests fuzz bench; then
  echo "an include above names its file through ../: name it from its layer's root"
  exit 1
fi

echo "== format: clang-format leaves every source as it is"
# The sources' one look (.clang-format): a change that was not formatted fails here.
if ! find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror; then
  echo "run clang-format -i on the files named above"
  exit 1
fi

echo "== asan: configure and build"
cmake --preset asan >/dev/null
cmake --build --preset asan
echo "== lint: clang-tidy finds nothing in src/ (.clang-tidy)"
# The compiler's flags are g++'s: clang leaves out those it does not know, and
# the sign conversions that -Wconversion brings to clang and not to g++.
tidy=build/asan/clang-tidy.log
run-clang-tidy -p build/asan -quiet \
  -extra-arg=-Wno-unknown-warning-option -extra-arg=-Wno-sign-conversion \
  "$PWD/src/.*\.cpp$" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$tidy" || true
if grep -E ": (warning|error):" "$tidy" ||
  grep -q "^Error while processing" "$tidy"; then
  echo "clang-tidy: see $tidy"
  exit 1
fi

echo "== asan: test"
ctest --preset asan
# CTest shows a passing test's output only on request: bring what a test left
# out on this machine, with its reason, to where it is read.
skipped="$(grep -h -E '^SKIP |\[  SKIPPED \]' build/asan/Testing/Temporary/LastTest.log || true)"
if [[ -n "$skipped" ]]; then
  echo "== asan: left out on this machine, and why"
  echo "$skipped"
fi

echo "== release: build (with the benchmarks) and package"
cmake --preset release -DWEXEL_BUILD_BENCH=ON >/dev/null
cmake --build --preset release
scripts/package-check.sh

echo "== fuzz: every target replays its corpus, then fuzzes briefly from a fixed seed"
scripts/fuzz.sh "${WEXEL_FUZZ_SECONDS:-20}" 1
