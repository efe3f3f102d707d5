#!/usr/bin/env bash
# Usage: tools/time-startup.sh [starts]
# Times how long the user waits for the launcher's menus under Wine (from process creation to the
# menu's picture on the screen), against a program that only shows a dialog, and where the
# launcher's own share of the time goes. Runs on a private Xvfb, in a prefix of its own, with the
# demo CD in a CD-ROM drive D:. Only ratios from one run mean anything on a shared machine.
# Where 32-bit programs cannot run, the x86_64 build is timed instead, and the first line says so.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/lib/machine.sh
source tools/lib/machine.sh
starts=${1:-15}
out=build/startup
build=build/$windows_preset
[ "$windows_preset" = win32 ] || echo "Timing the x86_64 build: $no_32bit_reason."
cmake --preset "$windows_preset" >/dev/null
# The launcher too: it goes on the disc, whatever startup_timing itself needs.
cmake --build --preset "$windows_preset" --target startup_timing lumbrel demo_setup demo_game \
  >/dev/null
demo/make-demo-cd.sh --programs-from "$build" "$out/cd" >/dev/null

# shellcheck source=tools/lib/launcher-on-disc.sh
source tools/lib/launcher-on-disc.sh
disc_on_screen "$PWD/$out/wineprefix" "$out/cd"
status=0
# A wine command whose output is a pipe can hang (Wine's services may inherit it): use a file.
wine "$build/bin/startup_timing.exe" "$starts" 'D:\zarn2000\lumbrel.exe' \
  >"$out/timing.log" 2>&1 </dev/null || status=$?
launcher_end
cat "$out/timing.log"
[ $status -ne 0 ] || /usr/bin/python3 tools/bench-ratios.py startup "$out/timing.log" || status=$?
exit $status
