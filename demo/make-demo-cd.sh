#!/usr/bin/env bash
# Usage: demo/make-demo-cd.sh BUILD_DIR OUT_DIR
# Lays out a demo CD folder from the Windows build and generated art; nothing is downloaded.
set -euo pipefail
build=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$out"
mkdir -p "$out/zarn2000/Data" "$out/zarn2000/help" "$out/zarn2000/setup/disk1"
cp "$build/bin/lumbrel.exe" "$out/zarn2000/lumbrel.exe"
python3 "$here/make-art.py" "$out/zarn2000/Data"
