#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test once: the whole suite
# under AddressSanitizer and UBSan; the release build packaged, linted,
# installed and upgraded; then each fuzz target replays its corpus and runs
# briefly (WEXEL_FUZZ_SECONDS, default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== asan: configure and build"
cmake --preset asan >/dev/null
cmake --build --preset asan
echo "== asan: test"
ctest --preset asan

echo "== release: build and package"
cmake --preset release >/dev/null
cmake --build --preset release
scripts/package-check.sh

echo "== fuzz: every target, briefly"
scripts/fuzz.sh "${WEXEL_FUZZ_SECONDS:-20}"
