#!/usr/bin/env bash
# Usage: demo/make-demo-cd.sh BUILD_DIR OUT_DIR
# Lays out a demo CD folder from the Windows build and generated art; nothing is downloaded.
# The folder can be burned or mounted as it is: autorun.inf at its root starts the launcher.
set -euo pipefail
build=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$out"
mkdir -p "$out/zarn2000/Data" "$out/zarn2000/help" "$out/zarn2000/setup/disk1"
cp "$here/autorun.inf" "$out/autorun.inf"
cp "$build/bin/lumbrel.exe" "$out/zarn2000/lumbrel.exe"
python3 "$here/make-art.py" "$out/zarn2000/Data"
cp "$here/zarnhelp.rtf" "$out/zarn2000/help/zarnhelp.rtf"
cp "$build/demo/setup.exe" "$build/demo/zarn.exe" "$out/zarn2000/setup/disk1/"

# The installed game finds the CD through the drive the installer recorded, and looks for its
# pictures, help and web shortcuts at that drive's root.
mkdir -p "$out/data" "$out/help"
cp "$out/zarn2000/Data/setup.tga" "$out/data/setup.tga"
cp "$here/zarnhelp.rtf" "$out/help/zarnhelp.rtf"
