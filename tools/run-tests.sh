#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test tier this machine can run:
#   host       native unit tests of the portable core
#   host-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz       a short run of each fuzzer
#   host32     the portable core's unit tests as a 32-bit program with the shipped build's code
#              generation: natively where 32-bit programs run, else under user-mode emulation
#   win32      the shipped i686 build: its checks as a file, and its unit, Win32 and end-to-end
#              tests under Wine on Xvfb where 32-bit programs run
#   win64      the x86_64 build: all of the same under Wine
#   lint       clang-format and clang-tidy over every source, against the trees built above
# Every tier runs even when one before it failed. The last lines say, tier by tier, what passed
# (with its count and time), what failed, and what could not run here and why; the exit status is
# 0 only when every tier that ran passed.
set -uo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh || exit 1
# shellcheck source=tools/lib/machine.sh
source tools/lib/machine.sh

summary=()
failed=0

# report TIER STARTED_AT TEXT: one line of the summary, with the tier's time.
report() {
  local elapsed=$((SECONDS - $2))
  summary+=("$(printf '%-10s %s (%dm%02ds)' "$1" "$3" $((elapsed / 60)) $((elapsed % 60)))")
}

# The number of tests in a CTest JUnit report: the first tests="N", the test suite's.
test_count() {
  grep -o -m1 '\btests="[0-9]*"' "$1" | tr -dc 0-9
}

# tier TIER PRESET [NOTE [CTEST_ARGS...]]: configures and builds PRESET, runs its tests (its test
# preset, or CTest with CTEST_ARGS instead) and reports their count; NOTE ends the line.
tier() {
  local name=$1 preset=$2 note=${3:+; $3} started=$SECONDS
  local results=$PWD/build/$preset/test-results.xml tests=(--preset "$2")
  [ $# -gt 3 ] && tests=("${@:4}")
  echo "=== $name"
  rm -f "$results"
  if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" &&
    ctest "${tests[@]}" --output-junit "$results"; then
    local count
    count=$(test_count "$results")
    report "$name" "$started" "passed: $count test$([ "$count" = 1 ] || echo s)$note"
  else
    report "$name" "$started" "FAILED: see its output above$note"
    failed=1
  fi
}

tier host host
tier host-asan host-asan

started=$SECONDS
fuzz_seconds=60
if tools/fuzz.sh "$fuzz_seconds"; then
  report fuzz "$started" "passed: load_tga, zoom and iso_disc, $((fuzz_seconds / 3)) s each, no finding"
else
  report fuzz "$started" "FAILED: a finding, see its output above"
  failed=1
fi

if [ "$LUMBREL_RUNS_32BIT" = yes ]; then
  tier host32 host32 "run natively"
else
  tier host32 host32 "run under qemu-i386-static, as $no_32bit_reason"
fi

# One throwaway Wine prefix for this run, shared by both Windows builds, on a private X server.
started=$SECONDS
export WINEPREFIX="$PWD/build/wineprefix"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$WINEPREFIX.ready" "$WINEPREFIX.lock"
if ! source tools/lib/xvfb.sh; then
  report win32/win64 "$started" "FAILED: no X display (see above)"
  failed=1
elif source tools/lib/wine-prefix.sh "$WINEPREFIX"; then
  if [ "$LUMBREL_RUNS_32BIT" = yes ]; then
    tier win32 win32
  else
    # Only the checks of the shipped file: CTest would start every other test program to list
    # its tests.
    tier win32 win32 "checked as a file; its unit, Win32 and end-to-end tests could not run here: \
$no_32bit_reason" --test-dir build/win32/tests/shipped --output-on-failure --no-tests=error
  fi
  tier win64 win64
else
  report win32/win64 "$started" "FAILED: no Wine prefix, see $WINEPREFIX.boot.log"
  failed=1
fi
wineserver -k 2>/dev/null || true

echo "=== lint"
started=$SECONDS
lint_log=$PWD/build/lint.log
if tools/lint.sh | tee "$lint_log"; then
  report lint "$started" "passed: $(sed -n 's/^lint.sh: \([0-9]*\) sources.*/\1/p' "$lint_log") sources"
else
  report lint "$started" "FAILED: see its output above"
  failed=1
fi

echo "=== Summary ($((SECONDS / 60)) min in all)"
printf '%s\n' "${summary[@]}"
if [ $failed -ne 0 ]; then
  echo "Some test tiers failed."
  exit 1
fi
echo "Every tier that ran passed."
