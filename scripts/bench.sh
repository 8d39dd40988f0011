#!/usr/bin/env bash
# Builds the optimised benchmarks and runs every one of them. With
# BENCH_BASELINE=path/to/build (a build of another version with the bench
# preset), the same figures are measured for it in the same run, in turns,
# and each is printed with its ratio to the baseline. Measurements only:
# nothing here fails because a figure moved.
#
#   scripts/bench.sh
#   BENCH_BASELINE=../old/build/bench scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libbenchmark-dev time
cmake --preset bench >/dev/null
cmake --build --preset bench
current=build/bench
baseline="${BENCH_BASELINE:-}"

echo "== $(date -u +%Y-%m-%dT%H:%MZ), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
"$current"/bench/bench_core

# The window's figures and batch's CPU time of one build, as "name value" lines.
figures() {
  local build="$1" out
  out="$(QT_QPA_PLATFORM=offscreen "$build"/bench/bench_window 2>/dev/null)"
  echo "$out" >&2
  awk '
    /ratio to the text window/ { gsub(",", ""); print "startup_ratio_to_text_window", $7; print "memory_ratio_to_text_window", $9 }
    /converter window / { print "converter_startup_ms", $3 }
    /keystroke to result/ { gsub(":", ""); gsub(";", ""); print "keystroke_ms_" $4 "_tiers", $6; print "whole_frame_ms_" $4 "_tiers", $10 }
  ' <<<"$out"
  seq 1 1000000 >build/bench/batch-input.txt
  /usr/bin/time -f "batch_1M_lines_cpu_s %U %S" -o build/bench/batch-time.txt \
    "$build"/bin/wexel-calc batch WXE007 build/bench/batch-input.txt >/dev/null
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' build/bench/batch-time.txt
}

echo "== the window and batch: current build"
figures "$current" >build/bench/figures-current.txt
if [[ -n "$baseline" ]]; then
  echo "== the window and batch: baseline $baseline"
  figures "$baseline" >build/bench/figures-baseline.txt
  echo "== figure, current, baseline, current/baseline"
  join <(sort build/bench/figures-current.txt) <(sort build/bench/figures-baseline.txt) |
    awk '{ printf "%-32s %10s %10s %8.2f\n", $1, $2, $3, ($3 > 0 ? $2 / $3 : 0) }'
else
  echo "== figure, current"
  awk '{ printf "%-32s %10s\n", $1, $2 }' build/bench/figures-current.txt
fi

echo "== hostile help files"
QT_QPA_PLATFORM=offscreen "$current"/bench/bench_help 2>/dev/null
