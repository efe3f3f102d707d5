#!/usr/bin/env bash
# Usage: tools/make-disc-image.sh DISC_FOLDER IMAGE [LABEL]
# Makes an ISO 9660 image of a disc folder, as the release ships it. Joliet keeps the long names
# with spaces (the web shortcuts) that plain ISO 9660 would cut to 8.3; LABEL (ZARN2000 by
# default) is the volume label Explorer shows for the drive. A link is burned as the file or
# folder it points at. A folder holding what no disc can hold (a FIFO, a socket, a device, a link
# to nothing or a loop of links) is refused, as is an IMAGE that is there and is no ISO 9660
# image; any warning (a name cut short, a file left out) fails. The image is written beside IMAGE
# and renamed over it once whole.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: tools/make-disc-image.sh DISC_FOLDER IMAGE [LABEL]" >&2
  exit 2
fi
fail() {
  echo "make-disc-image.sh: $*" >&2
  exit 1
}
# Absolute paths: a folder named like an option ("-J") is then read as a folder.
folder=$(realpath -m -- "$1")
image=$(realpath -m -- "$2")
{ [ -d "$folder" ] && [ -r "$folder" ]; } || fail "$1 is no folder that can be read"
case $image/ in "$folder"/*) fail "$2 lies inside the disc folder, which would then hold it" ;; esac
if [ -e "$image" ] || [ -L "$image" ]; then
  { [ -f "$image" ] && [ ! -L "$image" ] &&
    [ "$(dd if="$image" bs=1 skip=32769 count=5 status=none)" = CD001 ]; } ||
    fail "$2 is there and is no ISO 9660 image; it was left as it is"
fi

log=$(mktemp)
staging=$(mktemp "$image.new-XXXXXX")
trap 'rm -f "$log" "$staging"' EXIT
if ! find -L "$folder" \( -type p -o -type s -o -type b -o -type c -o -type l \) \
  -printf '%P\n' >"$log" 2>&1 || [ -s "$log" ]; then
  fail "$1 holds what no disc can hold (a FIFO, socket, device, or a link to nothing):
$(sed 's/^/  /' "$log")"
fi

# xorriso's banner is no news; warnings and failures are said, and fail.
status=0
xorriso -report_about WARNING -as mkisofs -quiet -follow-links -iso-level 2 -J -joliet-long \
  -V "${3:-ZARN2000}" -o "$staging" "$folder" 2>"$log" || status=$?
grep -v -e '^xorriso [0-9.]* : RockRidge filesystem manipulator' -e '^$' "$log" >&2 && status=1
[ $status -eq 0 ] || fail "no image was made"
chmod 0644 "$staging"
mv -f "$staging" "$image"
