#!/usr/bin/env bash
# Usage: source tools/lib/wine-prefix.sh PREFIX [managed|unmanaged]
# Makes PREFIX a ready Wine prefix (created once, reused), exports WINEPREFIX and the quiet settings,
# and keeps one wineserver running for it so that later wine commands start fast.
# "unmanaged" (the default) is for a bare X server such as Xvfb: with no window manager there, a
# managed window makes Wine wait two seconds each time it hides one. "managed" suits a desktop.
# Being sourced, it leaves the caller's shell options as they were and returns 1 on a failure.
if [ $# -lt 1 ]; then
  echo "usage: source tools/lib/wine-prefix.sh PREFIX [managed|unmanaged]" >&2
  return 2
fi
# shellcheck source=tools/lib/machine.sh
source "$(dirname "${BASH_SOURCE[0]}")/machine.sh"
prefix=$(realpath -m "$1")
export WINEPREFIX="$prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts; no crash dialog that would wait for a click.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$(dirname "$prefix")"
(
  set -euo pipefail
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    # Wine's helper processes inherit the standard streams of the first wine command: never a pipe.
    wine wineboot -i >"$prefix.boot.log" 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >>"$prefix.boot.log" 2>&1 </dev/null
    wineserver -w
    touch "$prefix/.ready"
  fi
  managed=N
  [ "${2:-unmanaged}" = managed ] && managed=Y
  if [ "$(cat "$prefix/.managed" 2>/dev/null)" != "$managed" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f \
      >>"$prefix.boot.log" 2>&1 </dev/null
    echo "$managed" >"$prefix/.managed"
  fi
) 9>"$prefix.lock" || return 1
setsid wineserver -p >/dev/null 2>&1 </dev/null || true
