#!/usr/bin/env bash
# Installs what is missing, builds, and starts Wexel Converter on the sample data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/bin/wexel-converter
