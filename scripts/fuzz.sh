#!/usr/bin/env bash
# Builds the libFuzzer targets; each runs its seeds whole and then fuzzes
# for a bounded time.
#
#   scripts/fuzz.sh [SECONDS [SEED]]
#
# SECONDS per target, default 60. SEED fixes the fuzzer's random choices, so
# that a run explores the same inputs every time (the test command uses it);
# without it every run explores new ones. Longer campaigns (300 s or more a
# target) are a developer's tool before a change to a parser; what they find
# goes into fuzz/corpus. A crash, a slow input or a leak ends the run with a
# failure; the input is left in build/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
seed="${2:-0}" # 0: a new random seed each run

scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build/fuzz/crashes
status=0
for target in build/fuzz/fuzz/fuzz_*; do
  name="$(basename "$target")"
  seeds="fuzz/corpus/${name#fuzz_}"
  work="build/fuzz/corpus/${name#fuzz_}"
  # A fixed seed starts from the seed corpus alone, as on a fresh machine.
  if [[ "$seed" != 0 ]]; then
    rm -rf "$work"
  fi
  mkdir -p "$work"
  # Only a hang should fail: an input that takes a second under ASan on a
  # busy machine is measured in bench/, not refused here.
  timeout=60
  # Long enough for the seeds at the help reader's bounds (nested tables,
  # marks on letters); the data-file targets find their faults in short lines.
  max_len=4096
  [[ "$name" == fuzz_help_file ]] && max_len=65536
  echo "== ${name}: ${seconds} s"
  # The seeds whole first: fuzzing reads them cut to -max_len.
  if ! "$target" -timeout="$timeout" -rss_limit_mb=2048 "$seeds"/* >"build/fuzz/${name}.seeds.log" 2>&1; then
    echo "${name}: a seed FAILED"
    tail -40 "build/fuzz/${name}.seeds.log"
    status=1
  elif ! "$target" -seed="$seed" -max_total_time="$seconds" -max_len="$max_len" -timeout="$timeout" \
      -rss_limit_mb=2048 \
      -artifact_prefix=build/fuzz/crashes/"${name}"- -print_final_stats=0 "$work" "$seeds" \
      >"build/fuzz/${name}.log" 2>&1; then
    echo "${name}: FAILED"
    tail -40 "build/fuzz/${name}.log"
    status=1
  else
    grep -E "^Done|#[0-9]+ *DONE" "build/fuzz/${name}.log" | tail -1 || true
    echo "${name}: no crash"
  fi
done
exit "$status"
