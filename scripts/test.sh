#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal debug
# build first, then the same suite under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in dev asan; do
  echo "== ${preset}: configure and build"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}"
  echo "== ${preset}: test"
  ctest --preset "${preset}"
done
