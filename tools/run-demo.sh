#!/usr/bin/env bash
# Installs what is missing, builds the shipped launcher and runs it under Wine on a demo CD folder
# mapped to drive D:. On your display when there is one; otherwise on a private Xvfb, where a
# screenshot is saved and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh

demo_cd="$PWD/build/demo/cd"
demo/make-demo-cd.sh "$demo_cd"

# The demo's own prefix: what the demo installs stays installed for its next run.
prefix="$PWD/build/demo/wineprefix"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  source tools/wine-prefix.sh "$prefix" managed
  ln -sfn "$demo_cd" "$WINEPREFIX/dosdevices/d:"
  wine "$demo_cd/zarn2000/lumbrel.exe" >build/demo/wine.log 2>&1 </dev/null
  exit 0
fi

source tools/xvfb.sh
source tools/wine-prefix.sh "$prefix" unmanaged
ln -sfn "$demo_cd" "$WINEPREFIX/dosdevices/d:"
wine "$demo_cd/zarn2000/lumbrel.exe" >build/demo/wine.log 2>&1 </dev/null &
launcher=$!
# Once the menu is on the screen, take the picture; without a menu, what is there instead.
source tools/wait-for-menu.sh
wait_for_menu || true
shot="$PWD/build/demo/screenshot.png"
import -window root "$shot"
kill "$launcher" 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "No display: the launcher ran on a virtual screen. Screenshot: $shot"
