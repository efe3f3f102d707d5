#!/usr/bin/env bash
# Usage: disc-image-test.sh BUILD_DIR SCRATCH_DIR
# The demo disc's image, made as the release makes it, works as a disc. Its files, extracted with
# xorriso under the names Windows reads (Joliet), match the disc folder in name and content; Wine
# is told the folder is a CD-ROM drive, and disc_walk walks it from the autorun menu to the game.
# The name check must also catch an image without Joliet names, whose 8.3 upper-case names would
# leave the menus' web shortcuts behind.
set -uo pipefail
build=$(realpath "$1")
scratch=$(realpath -m "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$scratch"
mkdir -p "$scratch"
"$root/demo/make-demo-cd.sh" --programs-from "$build" "$scratch/cd" >/dev/null || exit 1
"$root/tools/make-disc-image.sh" "$scratch/cd" "$scratch/demo.iso" || exit 1

failures=0
"$root/tools/extract-disc-image.sh" "$scratch/demo.iso" "$scratch/disc" || exit 1
if ! diff -r "$scratch/cd" "$scratch/disc"; then
  echo "FAIL: the image does not hold the disc folder's files under their names"
  failures=$((failures + 1))
fi

xorriso -as mkisofs -quiet -V ZARN2000 -o "$scratch/plain.iso" "$scratch/cd" || exit 1
"$root/tools/extract-disc-image.sh" "$scratch/plain.iso" "$scratch/plain" || exit 1
if diff -rq "$scratch/cd" "$scratch/plain" >/dev/null; then
  echo "FAIL: an image without Joliet names passed the name check"
  failures=$((failures + 1))
fi

# A private screen and a prefix of its own: making a drive a CD-ROM drive restarts the prefix's
# wineserver. The prefix is kept between runs (it takes a while to make), with the demo's install
# undone.
# shellcheck source=tools/lib/launcher-on-disc.sh
source "$root/tools/lib/launcher-on-disc.sh"
disc_on_screen "$build/disc-image-prefix" "$scratch/disc" E || exit 1
disc_without_game "$build"

# A wine command whose output is a pipe can hang: the walk's output goes to a file.
wine "$build/bin/disc_walk.exe" E: >"$scratch/walk.log" 2>&1 </dev/null
status=$?
cat "$scratch/walk.log"
if [ $status -ne 0 ]; then
  echo "FAIL: the walk from the image's CD-ROM drive ended with status $status"
  failures=$((failures + 1))
fi
[ $failures -eq 0 ]
