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
# Its banner is left out; warnings and failures are said.
xorriso -report_about WARNING -as mkisofs -quiet -iso-level 2 -J -joliet-long -V "${3:-ZARN2000}" -o "$2" "$1"
