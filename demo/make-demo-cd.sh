#!/usr/bin/env bash
# Usage: demo/make-demo-cd.sh [--stand-in-programs | --programs-from BUILD_DIR] OUT_DIR
# Builds the shipped launcher and the demo's programs (win32 preset) and lays out a demo CD folder
# from them and generated art; nothing is downloaded. tools/make-release.sh makes a disc image of
# it; autorun.inf at its root starts the launcher. With --programs-from the programs are taken
# from that build tree as they are (the tests' own build). With --stand-in-programs nothing is
# built and the programs are stand-in files: the layout alone, for checking it (disccheck's tests).
set -euo pipefail
programs=build
case "${1:-}" in
  --stand-in-programs) programs=stand-ins; shift ;;
  --programs-from) programs=built; build=$(realpath "$2"); shift 2 ;;
esac
out=$(realpath -m "$1")
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
if [ "$programs" = build ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target lumbrel demo_setup demo_game
  build=build/win32
fi

if [ "$programs" = stand-ins ]; then
  programs=$(mktemp -d)
  trap 'rm -rf "$programs"' EXIT
  for program in lumbrel.exe setup.exe zarn.exe; do
    echo "stand-in for $program" >"$programs/$program"
  done
  launcher=$programs/lumbrel.exe setup=$programs/setup.exe game=$programs/zarn.exe
else
  launcher=$build/bin/lumbrel.exe setup=$build/demo/setup.exe game=$build/demo/zarn.exe
fi

rm -rf "$out"
mkdir -p "$out/zarn2000/Data" "$out/zarn2000/help" "$out/zarn2000/setup/disk1"
cp "$here/autorun.inf" "$out/autorun.inf"
cp "$launcher" "$out/zarn2000/lumbrel.exe"
python3 "$here/make-art.py" "$out/zarn2000/Data"
cp "$here/zarnhelp.rtf" "$out/zarn2000/help/zarnhelp.rtf"
cp "$setup" "$game" "$out/zarn2000/setup/disk1/"

# The installed game finds the CD through the drive the installer recorded, and looks for its
# pictures, help, web shortcuts and setup program at that drive's root.
mkdir -p "$out/data" "$out/help" "$out/setup/disk1"
cp "$here/quillmoor web site.url" "$here/Zarn Games web site.url" "$out/"
cp "$out/zarn2000/Data/setup.tga" "$out/data/setup.tga"
cp "$here/zarnhelp.rtf" "$out/help/zarnhelp.rtf"
cp "$setup" "$out/setup/disk1/setup.exe"
