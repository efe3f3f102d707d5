#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and passes on its output and exit code.
# The prefix is $WINEPREFIX when set, else build/<tree>/wineprefix beside the program.
set -uo pipefail

exe=$1
shift
if [ -z "${WINEPREFIX:-}" ]; then
  tree=$(dirname "$(realpath "$exe")")
  while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
  WINEPREFIX="$tree/wineprefix"
fi
# shellcheck source=tools/lib/wine-prefix.sh
source "$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"

# A wine command whose output is a pipe can hang (Wine's services may inherit it): use a file.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2; do
  wine "$exe" "$@" >"$log" 2>&1 </dev/null
  status=$?
  # 139 is the Unix-side loader itself dying of SIGSEGV, seen now and then as a test program
  # exits; a crash inside the Windows program ends with its own exception code instead.
  { [ "$status" -eq 139 ] && [ "$attempt" -eq 1 ]; } || break
  echo "wine-run: Wine's loader crashed (status 139); running again" >&2
done
cat "$log"
# A failure without any output would leave CTest's log empty: say at least how it ended.
if [ "$status" -ne 0 ] && [ ! -s "$log" ]; then
  echo "wine-run: $exe ended with status $status and no output" >&2
fi
exit "$status"
