#!/usr/bin/env bash
# Usage: tools/make-release.sh [OUT_DIR]
# Makes a release in OUT_DIR (dist/ by default), from nothing but this checkout:
#   lumbrel.exe         the shipped launcher, without its debug information
#   lumbrel.exe.debug   its symbols, which the launcher names (.gnu_debuglink) for crash reports
#   zarn2000-demo.iso   the demo disc: ISO 9660 with Joliet names, autorun.inf at its root
#   SHA256SUMS          the sums of the three, for `sha256sum -c`
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-dist}

tools/setup-deps.sh

disc=$(mktemp -d)
trap 'rm -rf "$disc"' EXIT
demo/make-demo-cd.sh "$disc/cd"

rm -rf "$out"
mkdir -p "$out"
cp build/win32/bin/lumbrel.exe build/win32/bin/lumbrel.exe.debug "$out/"
tools/make-disc-image.sh "$disc/cd" "$out/zarn2000-demo.iso"
# The image is checked as an author checks theirs before burning it.
cmake --preset host >/dev/null
cmake --build --preset host --target disccheck
build/host/bin/disccheck "$out/zarn2000-demo.iso"
(cd "$out" && sha256sum lumbrel.exe lumbrel.exe.debug zarn2000-demo.iso >SHA256SUMS)
echo "Release in $out:"
ls -l "$out"
