#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal debug
# build first, then the same suite under AddressSanitizer and UBSan, then
# each fuzz target for a bounded time.
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

echo "== fuzz: every target for a bounded time"
scripts/fuzz.sh "${WEXEL_FUZZ_SECONDS:-60}"
