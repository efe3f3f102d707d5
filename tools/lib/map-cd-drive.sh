#!/usr/bin/env bash
# Usage: tools/lib/map-cd-drive.sh LETTER FOLDER
# In the Wine prefix $WINEPREFIX (see tools/lib/wine-prefix.sh), makes FOLDER the disc in a CD-ROM
# drive LETTER: the drive's link, and its type "cdrom" in Wine's drive configuration, so that
# GetDriveType reports DRIVE_CDROM for it as Windows does for a real disc. Wine reads that
# configuration when it starts, so a changed type restarts the prefix's wineserver (ending the
# prefix's running programs).
set -euo pipefail
if [ $# -ne 2 ] || [[ ! $1 =~ ^[C-Zc-z]$ ]] || [ ! -d "$2" ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "usage: WINEPREFIX=... tools/lib/map-cd-drive.sh LETTER FOLDER   (LETTER C to Z)" >&2
  exit 2
fi
# shellcheck source=tools/lib/machine.sh
source "$(dirname "$0")/machine.sh"
drive=${1,,}:
ln -sfn "$(realpath "$2")" "$WINEPREFIX/dosdevices/$drive"
# The configuration lives in the 64-bit view, which the prefix's system.reg holds as
# [Software\\Wine\\Drives].
if ! grep -A20 -F '[Software\\Wine\\Drives]' "$WINEPREFIX/system.reg" 2>/dev/null |
    grep -qiF "\"$drive\"=\"cdrom\""; then
  wine reg add 'HKLM\Software\Wine\Drives' /v "$drive" /d cdrom /f /reg:64 \
    >/dev/null 2>&1 </dev/null
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  setsid wineserver -p >/dev/null 2>&1 </dev/null || true
fi
