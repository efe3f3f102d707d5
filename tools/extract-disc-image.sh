#!/usr/bin/env bash
# Usage: tools/extract-disc-image.sh IMAGE FOLDER
# Extracts an ISO 9660 image into FOLDER (replaced) under the names Windows reads from it: its
# Joliet names when it has them, else its plain ISO 9660 names, never Rock Ridge's. The files are
# made writable, so that the folder can be removed again.
set -euo pipefail
if [ $# -ne 2 ] || [ ! -f "$1" ]; then
  echo "usage: tools/extract-disc-image.sh IMAGE FOLDER" >&2
  exit 2
fi
rm -rf "$2"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! xorriso -osirrox on -read_fs norock -indev "$1" -extract / "$2" >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
chmod -R u+w "$2"
