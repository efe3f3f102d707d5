#!/usr/bin/env bash
# Makes the README's pictures of both menus: the launcher runs on the demo CD under a private
# Xvfb screen, first on a machine without the game, then with the installer's record in place.
# Where 32-bit programs cannot run, the x86_64 build of the launcher is on the disc instead.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh
# shellcheck source=tools/lib/machine.sh
source tools/lib/machine.sh
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target lumbrel demo_setup demo_game install_record
demo_cd="$PWD/build/screenshots/cd"
demo/make-demo-cd.sh --programs-from "build/$windows_preset" "$demo_cd"

prefix="$PWD/build/screenshots/wineprefix"
rm -rf "$prefix" "$prefix.lock" "$prefix.boot.log"
# shellcheck source=tools/lib/launcher-on-disc.sh
source tools/lib/launcher-on-disc.sh
disc_on_screen "$prefix" "$demo_cd"
mkdir -p docs

# Each picture is taken in the build tree and replaces the README's only when the menu showed.
shoot() {
  launcher_menu_shot "build/screenshots/$1"
  cp "build/screenshots/$1" "docs/$1"
}

shoot autorun-menu.png
wine "build/$windows_preset/bin/install_record.exe" seed 'C:\Games\Zarn' D: >/dev/null 2>&1 </dev/null
shoot options-menu.png
echo "Wrote docs/autorun-menu.png and docs/options-menu.png"
