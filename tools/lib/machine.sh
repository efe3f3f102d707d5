#!/usr/bin/env bash
# Usage: source tools/lib/machine.sh
# What this machine can run, for every script and test that runs Windows or 32-bit programs.
# Whether 32-bit programs run is asked once, by running Wine's 32-bit loader: a kernel without
# IA-32 emulation refuses it ("Exec format error"). The answer is exported, so that the scripts
# and tests started from here take it as given. Being sourced, it sets:
#   LUMBREL_RUNS_32BIT  yes or no (exported)
#   windows_preset      the Windows build that runs here: win32, the shipped one, or else win64
#   wine                the one way to call Wine: Debian's wine where 32-bit programs run; else
#                       Wine's 64-bit loader itself, with WINELOADER set (Debian's script always
#                       picks the 32-bit loader when it is installed), in a 64-bit prefix
# shellcheck disable=SC2034 # windows_preset and no_32bit_reason are for the scripts that source it
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

if [ -z "${LUMBREL_RUNS_32BIT:-}" ]; then
  LUMBREL_RUNS_32BIT=no
  if "$wine32_loader" --version >/dev/null 2>&1; then LUMBREL_RUNS_32BIT=yes; fi
  export LUMBREL_RUNS_32BIT
fi

if [ "$LUMBREL_RUNS_32BIT" = yes ]; then
  windows_preset=win32
else
  windows_preset=win64
  export WINELOADER=$wine64_loader
  export WINEARCH=win64
  wine() { "$WINELOADER" "$@"; }
fi

# Why a tier or a program that needs 32-bit programs cannot run here, for the scripts' reports.
no_32bit_reason="this machine runs no 32-bit programs (Wine's 32-bit loader: Exec format error)"
