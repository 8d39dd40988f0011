#!/usr/bin/env bash
# Builds the optimised benchmarks and runs every one of them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libbenchmark-dev
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/bench/bench_core
if [[ -x build/bench/bench/bench_window ]]; then
  QT_QPA_PLATFORM=offscreen build/bench/bench/bench_window
  echo "== hostile help files"
  QT_QPA_PLATFORM=offscreen build/bench/bench/bench_help
fi
if [[ -x build/bench/bin/wexel-calc ]]; then
  echo "== wexel-calc batch, 1,000,000 lines"
  seq 1 1000000 > build/bench/batch-input.txt
  start=$(date +%s.%N)
  build/bench/bin/wexel-calc batch WXE007 build/bench/batch-input.txt > /dev/null
  end=$(date +%s.%N)
  echo "$start $end" | awk '{ printf "batch: %.2f s, %.0f lines/s\n", $2 - $1, 1000000 / ($2 - $1) }'
fi
