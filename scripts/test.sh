#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal debug
# build first, then the same suite under AddressSanitizer and UBSan, then
# each fuzz target for a bounded time. The debug build is also packaged as a
# .deb and run from an unpacked root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in dev asan; do
  echo "== ${preset}: configure and build"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}"
  echo "== ${preset}: test"
  ctest --preset "${preset}"
  if [[ ${preset} == dev ]]; then
    echo "== dev: package"
    scripts/package-check.sh build/dev
  fi
done

echo "== fuzz: every target for a bounded time"
scripts/fuzz.sh "${WEXEL_FUZZ_SECONDS:-60}"
