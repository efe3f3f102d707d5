#!/usr/bin/env bash
# Usage: demo/make-demo-cd.sh OUT_DIR
# Builds the shipped launcher and the demo's programs (win32 preset) and lays out a demo CD folder
# from them and generated art; nothing is downloaded. tools/make-release.sh makes a disc image of
# it; autorun.inf at its root starts the launcher.
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target lumbrel demo_setup demo_game
build=build/win32

rm -rf "$out"
mkdir -p "$out/zarn2000/Data" "$out/zarn2000/help" "$out/zarn2000/setup/disk1"
cp "$here/autorun.inf" "$out/autorun.inf"
cp "$build/bin/lumbrel.exe" "$out/zarn2000/lumbrel.exe"
python3 "$here/make-art.py" "$out/zarn2000/Data"
cp "$here/zarnhelp.rtf" "$out/zarn2000/help/zarnhelp.rtf"
cp "$build/demo/setup.exe" "$build/demo/zarn.exe" "$out/zarn2000/setup/disk1/"

# The installed game finds the CD through the drive the installer recorded, and looks for its
# pictures, help, web shortcuts and setup program at that drive's root.
mkdir -p "$out/data" "$out/help" "$out/setup/disk1"
cp "$here/quillmoor web site.url" "$here/Zarn Games web site.url" "$out/"
cp "$out/zarn2000/Data/setup.tga" "$out/data/setup.tga"
cp "$here/zarnhelp.rtf" "$out/help/zarnhelp.rtf"
cp "$build/demo/setup.exe" "$out/setup/disk1/setup.exe"
