#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test tier:
#   host       native unit tests of the portable core
#   host-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer, plus a short run of
#              each fuzzer
#   win32      the shipped i686 build: unit, Win32 and end-to-end tests under Wine on Xvfb
#   win64      the same for x86_64
#   lint       clang-format and clang-tidy over every source, against the trees built above
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh

run_preset() {
  echo "=== $1"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1"
}

run_preset host
run_preset host-asan
if [ -x tools/fuzz.sh ]; then
  tools/fuzz.sh 60
fi

# One throwaway Wine prefix for this run, shared by both Windows builds, on a private X server.
source tools/xvfb.sh
export WINEPREFIX="$PWD/build/wineprefix"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$WINEPREFIX.ready" "$WINEPREFIX.lock"
source tools/wine-prefix.sh "$WINEPREFIX"
run_preset win32
run_preset win64
wineserver -k 2>/dev/null || true
echo "=== lint"
tools/lint.sh
echo "All test tiers passed."
