#!/usr/bin/env bash
# Usage: disc-scripts-test.sh SCRATCH_DIR
# The disc scripts with careless and hostile arguments, run in SCRATCH_DIR and never on the
# checkout: each case's exit status and first line on stderr, and what is left of the files it
# was pointed at. make-release.sh runs in a stand-in checkout whose build steps are stubs, so that
# a deletion it should not make can only hit the stand-in.
set -uo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(realpath -m "$1")
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch" || exit 1

failures=0
fail() {
    printf 'FAIL: %s\n' "$1"
    failures=$((failures + 1))
}

# expect STATUS FIRST_LINE COMMAND...: run from $scratch/cwd.
expect() {
    local status=$1 message=$2
    shift 2
    (cd "$scratch/cwd" && "$@") >"$scratch/stdout" 2>"$scratch/stderr"
    local actual=$?
    local first
    first=$(head -n 1 "$scratch/stderr")
    if [ "$actual" != "$status" ] || [ "$first" != "$message" ]; then
        fail "$(printf '%s ' "${@##*/}")"
        printf '  expected %s "%s"\n  got      %s "%s"\n' "$status" "$message" "$actual" "$first"
    fi
}

# A user's file that no script may touch.
precious() {
    mkdir -p "$(dirname "$1")"
    echo precious >"$1"
}
intact() {
    [ "$(cat "$1" 2>/dev/null)" = precious ] || fail "$2: $1 was changed or deleted"
}

mkdir -p cwd disc/zarn2000
echo launcher >disc/zarn2000/lumbrel.exe

# make-disc-image.sh
images=$tools/make-disc-image.sh
mkdir -p cwd/-J
echo x >cwd/-J/file.txt
expect 0 "" "$images" -J dash.iso
expect 0 "" "$tools/extract-disc-image.sh" dash.iso dash
[ -f cwd/dash/file.txt ] || fail "a folder named -J was not imaged as a folder"
precious cwd/plain.txt
expect 1 "make-disc-image.sh: plain.txt is no folder that can be read" "$images" plain.txt out.iso
precious cwd/notes.txt
expect 1 "make-disc-image.sh: notes.txt is there and is no ISO 9660 image; it was left as it is" \
    "$images" "$scratch/disc" notes.txt
intact cwd/notes.txt "an IMAGE that is a user's file"
expect 1 "make-disc-image.sh: $scratch/disc/inside.iso lies inside the disc folder, which would then hold it" \
    "$images" "$scratch/disc" "$scratch/disc/inside.iso"
cp -R disc special
mkfifo special/fifo
ln -s nowhere special/dangling
expect 1 "make-disc-image.sh: $scratch/special holds what no disc can hold (a FIFO, socket, device, or a link to nothing):" \
    "$images" "$scratch/special" special.iso
[ ! -e cwd/special.iso ] || fail "an image was made of a folder with a FIFO"
expect 0 "" "$images" "$scratch/disc" good.iso

# extract-disc-image.sh
extract=$tools/extract-disc-image.sh
precious cwd/kept/file.txt
expect 1 "extract-disc-image.sh: missing.iso is no file" "$extract" missing.iso kept
intact cwd/kept/file.txt "a missing IMAGE"
expect 1 "extract-disc-image.sh: plain.txt is no ISO 9660 image" "$extract" plain.txt new
[ ! -e cwd/new ] || fail "a FOLDER was made for what is no image"
expect 1 "extract-disc-image.sh: kept is there and is no empty folder; give a new or empty one" \
    "$extract" good.iso kept
intact cwd/kept/file.txt "a FOLDER with a user's file"
expect 0 "" "$extract" good.iso extracted
[ "$(cat cwd/extracted/zarn2000/lumbrel.exe 2>/dev/null)" = launcher ] ||
    fail "the image was not extracted whole"
mkdir -p cwd/empty
expect 0 "" "$extract" good.iso empty
[ -f cwd/empty/zarn2000/lumbrel.exe ] || fail "the image was not extracted into an empty FOLDER"
leftovers=$(find cwd -maxdepth 1 -name '.*new-*')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# make-release.sh, in a stand-in checkout: its build and check steps are stubs, the check's
# verdict set by STUB_CHECK.
checkout=$scratch/checkout
mkdir -p "$checkout/tools" "$checkout/demo" "$checkout/build/win32/bin" "$checkout/build/host/bin" \
    "$scratch/stubs"
cp "$tools/make-release.sh" "$checkout/tools/"
printf '#!/bin/sh\n' >"$checkout/tools/setup-deps.sh"
# shellcheck disable=SC2016 # the stubs expand their own arguments
{
    printf '#!/bin/sh\nfor out; do :; done\nmkdir -p "$out"\n' >"$checkout/demo/make-demo-cd.sh"
    printf '#!/bin/sh\necho image >"$2"\n' >"$checkout/tools/make-disc-image.sh"
    printf '#!/bin/sh\nexit "${STUB_CHECK:-0}"\n' >"$checkout/build/host/bin/disccheck"
}
printf '#!/bin/sh\n' >"$scratch/stubs/cmake"
echo new >"$checkout/build/win32/bin/lumbrel.exe"
echo new >"$checkout/build/win32/bin/lumbrel.exe.debug"
chmod +x "$checkout"/tools/*.sh "$checkout/demo/make-demo-cd.sh" \
    "$checkout/build/host/bin/disccheck" "$scratch/stubs/cmake"
release=$checkout/tools/make-release.sh
export PATH="$scratch/stubs:$PATH"

# A relative OUT_DIR is the caller's: here a folder of the user's, refused; the checkout's own
# src/ is not touched either.
precious "$checkout/src/main.cpp"
precious cwd/src/notes.txt
expect 1 "make-release.sh: $scratch/cwd/src holds $scratch/cwd/src/notes.txt, which is no part of a release; give a new or empty folder, or one with an earlier release in it; nothing was written" \
    "$release" src
intact "$checkout/src/main.cpp" "make-release.sh src"
intact cwd/src/notes.txt "make-release.sh src"
expect 1 "make-release.sh: $scratch/cwd/plain.txt is not a folder; nothing was written" \
    "$release" plain.txt
intact cwd/plain.txt "make-release.sh plain.txt"
expect 0 "" "$release" dist
{ [ "$(cat cwd/dist/lumbrel.exe 2>/dev/null)" = new ] && [ -s cwd/dist/SHA256SUMS ]; } ||
    fail "no release was made in a new folder"
# A release that fails its check leaves the earlier one as it was; a good one replaces it.
echo old >cwd/dist/lumbrel.exe
STUB_CHECK=1 expect 1 "make-release.sh: the demo disc's image failed its check (above); $scratch/cwd/dist is as it was" \
    "$release" dist
[ "$(cat cwd/dist/lumbrel.exe)" = old ] || fail "a failed release replaced the earlier one"
expect 0 "" "$release" dist
[ "$(cat cwd/dist/lumbrel.exe)" = new ] || fail "a good release did not replace the earlier one"
leftovers=$(find cwd -maxdepth 1 -name '.*new-*')
[ -z "$leftovers" ] || fail "temporary folders left: $leftovers"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
