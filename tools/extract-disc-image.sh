#!/usr/bin/env bash
# Usage: tools/extract-disc-image.sh IMAGE FOLDER
# Extracts an ISO 9660 image into FOLDER under the names Windows reads from it: its Joliet names
# when it has them, else its plain ISO 9660 names, never Rock Ridge's. FOLDER must be new or
# empty; the image is extracted beside it and moved into place only when whole. The files are
# made writable, so that the folder can be removed again.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: tools/extract-disc-image.sh IMAGE FOLDER" >&2
  exit 2
fi
fail() {
  echo "extract-disc-image.sh: $*" >&2
  exit 1
}
image=$(realpath -m -- "$1")
folder=$(realpath -m -- "$2")
[ -f "$image" ] || fail "$1 is no file"
# Every ISO 9660 image has a volume descriptor at sector 16 that begins with this.
[ "$(dd if="$image" bs=1 skip=32769 count=5 status=none 2>/dev/null)" = CD001 ] ||
  fail "$1 is no ISO 9660 image"
if [ -e "$folder" ] || [ -L "$folder" ]; then
  { [ -d "$folder" ] && [ ! -L "$folder" ] && [ -z "$(ls -A "$folder")" ]; } ||
    fail "$2 is there and is no empty folder; give a new or empty one"
fi
mkdir -p "$(dirname "$folder")"

staging=$(mktemp -d "$(dirname "$folder")/.$(basename "$folder").new-XXXXXX")
log=$(mktemp)
trap 'rm -f "$log"; chmod -R u+w "$staging"; rm -rf "$staging"' EXIT
if ! xorriso -osirrox on -read_fs norock -indev "$image" -extract / "$staging/disc" >"$log" 2>&1
then
  cat "$log" >&2
  fail "$1 could not be extracted (above)"
fi
chmod -R u+w "$staging/disc"
rmdir "$folder" 2>/dev/null || true
mv -T "$staging/disc" "$folder"
