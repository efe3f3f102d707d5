#!/usr/bin/env bash
# Usage: tools/make-disc-image.sh DISC_FOLDER IMAGE [LABEL]
# Makes an ISO 9660 image of a disc folder, as the release ships it. Joliet keeps the long names
# with spaces (the web shortcuts) that plain ISO 9660 would cut to 8.3; LABEL (ZARN2000 by
# default) is the volume label Explorer shows for the drive.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: tools/make-disc-image.sh DISC_FOLDER IMAGE [LABEL]" >&2
  exit 2
fi
# Warnings (a name cut short, a file left out) and failures are said; xorriso's banner is not.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
xorriso -report_about WARNING -as mkisofs -quiet -iso-level 2 -J -joliet-long \
  -V "${3:-ZARN2000}" -o "$2" "$1" 2>"$log" || status=$?
grep -v -e '^xorriso [0-9.]* : RockRidge filesystem manipulator' -e '^$' "$log" >&2 || true
exit $status
