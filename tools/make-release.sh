#!/usr/bin/env bash
# Usage: tools/make-release.sh [OUT_DIR]
# Makes a release in OUT_DIR (a relative one is taken from where the script is started; dist/ in
# the checkout by default), from nothing but this checkout:
#   lumbrel.exe         the shipped launcher, without its debug information
#   lumbrel.exe.debug   its symbols, which the launcher names (.gnu_debuglink) for crash reports
#   zarn2000-demo.iso   the demo disc: ISO 9660 with Joliet names, autorun.inf at its root
#   SHA256SUMS          the sums of the three, for `sha256sum -c`
# OUT_DIR must be new, empty, or hold nothing but an earlier release's files: nothing else is
# ever replaced. The release is made and checked beside OUT_DIR and only then moved into it, so a
# release that fails leaves the earlier one as it was.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m -- "${1:-$root/dist}")
release_files=(lumbrel.exe lumbrel.exe.debug zarn2000-demo.iso SHA256SUMS)

fail() {
  echo "make-release.sh: $*" >&2
  exit 1
}

if [ -e "$out" ] || [ -L "$out" ]; then
  { [ -d "$out" ] && [ ! -L "$out" ]; } || fail "$out is not a folder; nothing was written"
  is_release_file=()
  for file in "${release_files[@]}"; do is_release_file+=(-o -name "$file"); done
  other=$(find "$out" -mindepth 1 -maxdepth 1 ! \( -type f \( "${is_release_file[@]:1}" \) \) \
    -print -quit)
  [ -z "$other" ] || fail "$out holds $other, which is no part of a release; give a new or" \
    "empty folder, or one with an earlier release in it; nothing was written"
fi
mkdir -p "$(dirname "$out")"

cd "$root"
tools/setup-deps.sh
# Everything the release is made of and checked with, built first: the shipped launcher and the
# demo's programs (win32), and the checker of the disc's image (host).
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target lumbrel demo_setup demo_game
cmake --preset host >/dev/null
cmake --build --preset host --target disccheck

# Beside OUT_DIR, so that moving the files in is a rename on the same file system.
staging=$(mktemp -d "$(dirname "$out")/.$(basename "$out").new-XXXXXX")
disc=$(mktemp -d)
trap 'rm -rf "$disc" "$staging"' EXIT
demo/make-demo-cd.sh --programs-from build/win32 "$disc/cd"
cp build/win32/bin/lumbrel.exe build/win32/bin/lumbrel.exe.debug "$staging/"
tools/make-disc-image.sh "$disc/cd" "$staging/zarn2000-demo.iso"
# The image is checked as an author checks theirs before burning it.
build/host/bin/disccheck "$staging/zarn2000-demo.iso" ||
  fail "the demo disc's image failed its check (above); $out is as it was"
(cd "$staging" && sha256sum lumbrel.exe lumbrel.exe.debug zarn2000-demo.iso >SHA256SUMS)

mkdir -p "$out"
for file in "${release_files[@]}"; do mv -f "$staging/$file" "$out/$file"; done
echo "Release in $out:"
ls -l "$out"
