#!/usr/bin/env bash
# Measures what the test suite catches: puts one small fault at a time into
# src/ (the list in scripts/mutants.txt), rebuilds, runs the whole suite and
# says whether some test failed (killed) or all passed (survived).
#
#   scripts/mutants.sh                 every fault of the list
#   scripts/mutants.sh ID...           only these
#   MUTANTS=other.txt scripts/mutants.sh
#   MUTANT_CASES=1 scripts/mutants.sh  runs every test on each fault and names
#                                      each test case that fails: a fault that
#                                      one case alone catches shows which
#                                      checks no other check stands in for
#
# A developer's tool, not part of CI. It builds in build/mutants and restores
# every file it touched, also when interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."

list="${MUTANTS:-scripts/mutants.txt}"
build=build/mutants
jobs="${MUTANT_JOBS:-2}"

# Without debug information: a fault relinks every test, and linking is most of the time.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 >/dev/null
echo "== unmutated build and suite"
cmake --build "$build" -j "$jobs" >/dev/null
ctest --test-dir "$build" -j "$jobs" --timeout 300 -Q >/dev/null ||
  { echo "the suite fails without any fault: fix that first"; exit 1; }

saved=""
restore() {
  if [[ -n "$saved" ]]; then
    cp "$saved" "$current" # a fresh time stamp, so that the build takes it again
    rm -f "$saved"
    saved=""
  fi
}
trap restore EXIT
# Interrupted: the file put back, and no further fault (a trap alone would go on).
trap 'restore; exit 130' INT TERM

killed=0
survived=0
other=0
printf '%-26s %-9s %s\n' "fault" "result" "caught by / what"
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  # id @@ file @@ text to find (first occurrence) @@ replacement @@ what it breaks
  IFS=$'\x1f' read -r id current find replace what \
    <<<"$(perl -pe 's/ \@\@ /\x1f/g' <<<"$line")"
  if (($# > 0)) && [[ " $* " != *" $id "* ]]; then
    continue
  fi
  if ! grep -qF -- "$find" "$current"; then
    printf '%-26s %-9s %s\n' "$id" "stale" "text not found in $current"
    other=$((other + 1))
    continue
  fi
  saved="$(mktemp)"
  cp "$current" "$saved"
  FIND="$find" REPLACE="$replace" perl -0pi -e \
    'my ($f, $r) = ($ENV{FIND}, $ENV{REPLACE}); my $i = index($_, $f); substr($_, $i, length $f) = $r;' \
    "$current"
  if ! cmake --build "$build" -j "$jobs" >/dev/null 2>&1; then
    printf '%-26s %-9s %s\n' "$id" "no-build" "$what"
    other=$((other + 1))
  else
    log="$(mktemp)"
    if [[ -n "${MUTANT_CASES:-}" ]]; then
      stop=--output-on-failure
    else
      stop=--stop-on-failure
    fi
    if ctest --test-dir "$build" -j "$jobs" --timeout 120 "$stop" >"$log" 2>&1; then
      printf '%-26s %-9s %s\n' "$id" "SURVIVED" "$what"
      survived=$((survived + 1))
    else
      # The failed tests' names; none found (a crash of ctest itself) is no reason to stop.
      by="$(grep -E '[0-9]+ - [a-z0-9_]+ \(' "$log" | grep -v 'Not Run' |
        sed -E 's/^.*[0-9]+ - ([a-z0-9_]+) \(.*$/\1/' | sort -u | paste -sd, -)" || true
      if [[ -n "${MUTANT_CASES:-}" ]]; then
        # GoogleTest's and Qt Test's own failure lines, a case's data tag or parameter dropped.
        cases="$(perl -ne 'print "$1\n" if /^\[  FAILED  \] ([A-Za-z_]\w*(?:\/\w+)?\.\w+)/;
          print "$1\n" if /^FAIL!  : (\w+::\w+)\(/; print "atspi\n" if /^FAIL: /' "$log" |
          sed -E 's#^[A-Za-z_]+/##' | sort -u | paste -sd, -)" || true
        by="$by ${cases:-}"
      fi
      printf '%-26s %-9s %s\n' "$id" "killed" "${by:-?}"
      killed=$((killed + 1))
    fi
    rm -f "$log"
  fi
  restore
done <"$list"
# Leave the build matching the sources.
cmake --build "$build" -j "$jobs" >/dev/null 2>&1 || true
echo "killed ${killed}, survived ${survived}, not run ${other}"
