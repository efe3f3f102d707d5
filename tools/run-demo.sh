#!/usr/bin/env bash
# Usage: tools/run-demo.sh [DISC_FOLDER_OR_ISO]
# Installs what is missing, builds the shipped launcher and runs it under Wine from a CD-ROM drive
# D: holding the demo disc, or the disc folder or ISO image given (an image is extracted first,
# under the names Windows reads).
# - With a display, the launcher opens there, in the demo's own Wine prefix: what a disc installs
#   stays installed for its next run.
# - Without one, on a private Xvfb screen: the demo disc is walked the whole way a user goes
#   (autorun menu, Setup, options menu, a video card chosen, Run), from a machine without the
#   game each time, with a screenshot of each step; a disc of your own shows its first menu, and
#   that screenshot. The screenshots' paths are printed in order.
# On a machine that runs no 32-bit programs, the x86_64 build of the launcher runs in place of the
# shipped i686 one: the demo disc is made with it, and a disc of your own is copied with it.
set -euo pipefail
own_disc=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."

tools/setup-deps.sh
# shellcheck source=tools/lib/machine.sh
source tools/lib/machine.sh
build=build/$windows_preset
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target lumbrel demo_setup demo_game disc_walk install_record

out=$PWD/build/demo
disc=$out/cd
mkdir -p "$out"
if [ -z "$own_disc" ]; then
  demo/make-demo-cd.sh --programs-from "$build" "$disc"
elif [ -f "$own_disc" ]; then
  rm -rf "$disc" # the demo's own folder in the build tree, made by an earlier run
  tools/extract-disc-image.sh "$own_disc" "$disc"
elif [ "$windows_preset" = win32 ]; then
  disc=$own_disc
else
  rm -rf "$disc"
  cp -r "$own_disc" "$disc"
fi
if [ "$windows_preset" != win32 ]; then
  echo "This machine runs no 32-bit programs: the x86_64 build of the launcher runs on the disc."
  if [ -n "$own_disc" ]; then
    find "$disc" -ipath "$disc/zarn2000/lumbrel.exe" -exec cp "$build/bin/lumbrel.exe" {} \;
  fi
fi

# shellcheck source=tools/lib/launcher-on-disc.sh
source tools/lib/launcher-on-disc.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  disc_in_drive "$out/wineprefix" "$disc" D managed
  launcher_on_disc >"$out/wine.log" 2>&1 </dev/null
  exit 0
fi

shots=$out/screenshots
rm -rf "$shots"
mkdir -p "$shots"
if [ -z "$own_disc" ]; then
  disc_on_screen "$out/walk-prefix" "$disc"
  disc_without_game "$build"
  status=0
  wine "$build/bin/disc_walk.exe" D: "Z:${shots//\//\\}" >"$out/walk.log" 2>&1 </dev/null ||
    status=$?
  launcher_end
  echo "No display: the demo disc was walked on a virtual screen, a screenshot at each step:"
  while read -r number what; do
    ppm=$(ls "$shots/${number%.}"-*.ppm)
    convert "$ppm" "${ppm%.ppm}.png" && rm "$ppm"
    echo "  ${ppm%.ppm}.png  ($what)"
  done < <(grep -E '^[0-9]+\. ' "$out/walk.log")
  grep -v -E '^[0-9]+\. ' "$out/walk.log" >&2 || true
  exit $status
fi

disc_on_screen "$out/wineprefix" "$disc"
shot=$shots/first-menu.png
# Without a menu (a disc of your own may have no pictures), what is there instead is the answer.
launcher_menu_shot "$shot" "$out/wine.log" || [ $? -eq 1 ]
echo "No display: the launcher ran on a virtual screen. Screenshot: $shot"
