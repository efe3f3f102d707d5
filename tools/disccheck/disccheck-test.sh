#!/usr/bin/env bash
# Usage: disccheck-test.sh DISCCHECK TGATOOL SCRATCH_DIR
# The demo disc's layout (demo/make-demo-cd.sh with stand-in programs) passes; copies of it broken
# one way each give their own findings and exit status 1; every disc is checked as a folder and
# as an ISO image with Joliet names. The previews are the launcher's own rescale. Bad command
# lines exit with 2.
set -uo pipefail
disccheck=$1
tgatool=$2
scratch=$3
root=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$scratch"
mkdir -p "$scratch"
good=$scratch/good
"$root/demo/make-demo-cd.sh" --stand-in-programs "$good" || exit 1

failures=0
fail() {
    printf 'FAIL: %s\n' "$1"
    failures=$((failures + 1))
}

# What the output says beyond "found": each other line with its notes, and warnings with the line
# they belong to.
findings() {
    awk '/^[a-z]/ { if (keep) printf "%s", block; block = $0 "\n"; keep = ($1 != "found"); next }
         { block = block $0 "\n"; keep = 1 }
         END { if (keep) printf "%s", block }'
}

# verdict DISC STATUS FINDINGS [OPTIONS...]: disccheck's exit status and findings for one disc.
verdict() {
    local disc=$1 status=$2 expected=$3
    shift 3
    "$disccheck" "$disc" "$@" >"$scratch/stdout" 2>"$scratch/stderr"
    local actual=$?
    local got
    got=$(findings <"$scratch/stdout")
    if [ "$actual" != "$status" ] || [ "$got" != "$expected" ] || [ -s "$scratch/stderr" ]; then
        fail "${disc##*/}"
        printf '  expected %s:\n%s\n  got %s:\n%s\n%s\n' "$status" "$expected" "$actual" "$got" \
            "$(cat "$scratch/stderr")"
    fi
}

# check NAME STATUS FINDINGS [OPTIONS...]: the disc in $scratch/NAME, as a folder and as an image.
check() {
    local name=$1 status=$2 expected=$3
    shift 3
    if ! "$root/tools/make-disc-image.sh" "$scratch/$name" "$scratch/$name.iso" LABEL \
        >"$scratch/xorriso.log" 2>&1; then
        fail "$name: xorriso cannot make an image of it"
        return
    fi
    verdict "$scratch/$name" "$status" "$expected" "$@"
    verdict "$scratch/$name.iso" "$status" "$expected" "$@"
}

# broken NAME COMMAND...: a copy of the good disc, COMMAND run in it.
broken() {
    local name=$1
    shift
    rm -rf "${scratch:?}/$name"
    cp -R "$good" "$scratch/$name"
    (cd "$scratch/$name" && "$@")
}

# The demo's intro picture is made for screens of 800 x 600.
intro='found     the intro picture: D:\zarn2000\Data\intro.tga
          warning: it is 800 x 600, smaller than the screen at 1024 x 768, 1920 x 1080: it will be enlarged'

check good 0 "$intro"

# One file missing each.
while IFS='|' read -r name file finding; do
    broken "$name" rm "$file"
    check "$name" 1 "$intro
missing   $finding"
done <<'EOF'
no-autorun-setup|zarn2000/setup/disk1/setup.exe|the autorun menu's Setup program: D:\zarn2000\setup\disk1\setup.exe
no-autorun-help|zarn2000/help/zarnhelp.rtf|the autorun menu's help document: D:\ZARN2000\help\zarnhelp.rtf
no-options-picture|data/setup.tga|the options menu's picture: D:\data\setup.tga
no-options-setup|setup/disk1/setup.exe|the options menu's Setup program: D:\setup\disk1\setup.exe
no-options-help|help/zarnhelp.rtf|the options menu's help document: D:\help\zarnhelp.rtf
no-developer-shortcut|quillmoor web site.url|the options menu's developer web shortcut: D:\quillmoor web site.url
no-games-shortcut|Zarn Games web site.url|the options menu's games web shortcut: D:\Zarn Games web site.url
EOF

broken no-autorun-inf rm autorun.inf
check no-autorun-inf 1 "missing   autorun.inf, which starts the launcher when the disc is inserted: D:\\autorun.inf
$intro"

broken no-intro rm zarn2000/Data/intro.tga
check no-intro 1 'missing   the intro picture: D:\zarn2000\Data\intro.tga'

# The marker is also what autorun.inf starts and takes the drive's icon from.
broken no-marker rm zarn2000/lumbrel.exe
check no-marker 1 "unusable  autorun.inf's open= entry, the program the disc starts: D:\\zarn2000\\lumbrel.exe
          it names no file on the disc
unusable  autorun.inf's icon= entry, the drive's icon: D:\\zarn2000\\lumbrel.exe
          it names no file on the disc
missing   the marker by which the launcher finds its disc: D:\\zarn2000\\lumbrel.exe
$intro"

broken wrong-open-entry sed -i 's/^open=.*/open=zarn2000\\lumbrel.ex/' autorun.inf
check wrong-open-entry 1 "unusable  autorun.inf's open= entry, the program the disc starts: D:\\zarn2000\\lumbrel.ex
          it names no file on the disc
$intro"

broken no-open-entry sed -i '/^open=/d' autorun.inf
check no-open-entry 1 "unusable  autorun.inf's open= entry, the program the disc starts
          autorun.inf has no open= entry in an [autorun] section: inserting the disc starts nothing
$intro"

broken cut-picture truncate -s 1000 zarn2000/Data/setup.tga
check cut-picture 1 "$intro
unusable  the autorun menu's picture: D:\\zarn2000\\data\\setup.tga
          trace: Width = 512, Height = 330
          trace: Error occured
          message: Failed to decode tga file
          warning: it does not decode, so the autorun menu's picture area stays blank"

broken small-picture cp "$root/tests/unit/fixtures/pil-rle32.tga" data/setup.tga
check small-picture 0 "$intro
found     the options menu's picture: D:\\data\\setup.tga
          warning: it is 13 x 7, smaller than the options menu's picture area at 327 x 237: it will be enlarged"

# A share as long as the installer's record holds (199 characters): as a folder root, its paths
# get buffers that hold any path the system takes.
share='\\server\share\'$(printf 'a%.0s' {1..184})
check good 0 "$intro" --srcdrive "$share"

# What a folder holds where the launcher expects a file, but no image of it holds: the folder is
# unusable and tools/make-disc-image.sh refuses to image it.
unburnable() {
    local name=$1 expected=$2
    verdict "$scratch/$name" 1 "$expected"
    if "$root/tools/make-disc-image.sh" "$scratch/$name" "$scratch/$name.iso" 2>/dev/null ||
        [ -e "$scratch/$name.iso" ]; then
        fail "$name: an image was made of it"
    fi
}
not_burned='which no disc holds: an image leaves it out'
broken fifo-marker sh -c 'rm zarn2000/lumbrel.exe && mkfifo zarn2000/lumbrel.exe'
unburnable fifo-marker "unusable  autorun.inf's open= entry, the program the disc starts: D:\\zarn2000\\lumbrel.exe
          it is a FIFO, $not_burned
unusable  autorun.inf's icon= entry, the drive's icon: D:\\zarn2000\\lumbrel.exe
          it is a FIFO, $not_burned
unusable  the marker by which the launcher finds its disc: D:\\zarn2000\\lumbrel.exe
          it is a FIFO, $not_burned
$intro"
broken dangling-intro ln -sf nowhere zarn2000/Data/intro.tga
unburnable dangling-intro "unusable  the intro picture: D:\\zarn2000\\Data\\intro.tga
          it is a link that leads to no file, $not_burned"
broken device-help sh -c 'rm help/zarnhelp.rtf && ln -s /dev/null help/zarnhelp.rtf'
unburnable device-help "$intro
unusable  the options menu's help document: D:\\help\\zarnhelp.rtf
          it is a device, $not_burned"

# A link is burned as what it points at: usable as a folder and as its image alike.
broken linked-setup sh -c 'mv zarn2000/setup/disk1/setup.exe ../linked-setup.exe &&
    ln -s "$(realpath ../linked-setup.exe)" zarn2000/setup/disk1/setup.exe'
check linked-setup 0 "$intro"

# Two folders whose names differ in letter case only: the same verdict for a folder and its image.
broken case-twins sh -c 'mkdir zarn2000/data && cp zarn2000/Data/setup.tga zarn2000/data/'
twins='the disc holds zarn2000/Data and zarn2000/data, which differ in letter case only: Windows shows one of them, and which one is not the disc'"'"'s to say; keep one'
check case-twins 1 "unusable  the intro picture: D:\\zarn2000\\Data\\intro.tga
          $twins
unusable  the autorun menu's picture: D:\\zarn2000\\data\\setup.tga
          $twins"

# Pictures the 32-bit launcher cannot hold are judged from their size and header, without reading
# or decoding them: a sparse file of 4 GiB (as a folder only), and 8 MiB of run-length packets
# that would decode to 1 GiB of pixels.
too_large='more than the 32-bit launcher can hold of a'
broken huge-intro truncate -s 4G zarn2000/Data/intro.tga
verdict "$scratch/huge-intro" 1 "unusable  the intro picture: D:\\zarn2000\\Data\\intro.tga
          it is 4096 MiB, $too_large picture with its pixels (512 MiB)
          warning: it does not decode, so the screen stays blank"
broken pixel-bomb python3 -c '
import struct
side = 16384
header = struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, side, side, 24, 0)
open("data/setup.tga", "wb").write(header + bytes([0xFF, 1, 2, 3]) * (side * side // 128))'
check pixel-bomb 1 "$intro
unusable  the options menu's picture: D:\\data\\setup.tga
          it is 16384 x 16384, whose pixels take with its file 1033 MiB, $too_large picture (512 MiB)
          warning: it does not decode, so the options menu's picture area stays blank"
rm -rf "$scratch/huge-intro" "$scratch/pixel-bomb" "$scratch/pixel-bomb.iso"

# An image cut short where its files' data begins (as a bad copy leaves it): what cannot be read
# is said to be unreadable, not empty.
"$root/tools/make-disc-image.sh" "$good" "$scratch/cut.iso" LABEL
first_data=$(xorriso -indev "$scratch/cut.iso" -find /autorun.inf -exec report_lba -- 2>/dev/null |
    awk -F, '/autorun.inf/ { print $2 + 0 }')
truncate -s $((first_data * 2048)) "$scratch/cut.iso"
unreadable='          it cannot be read
          warning: it does not decode, so'
verdict "$scratch/cut.iso" 1 "unusable  autorun.inf, which starts the launcher when the disc is inserted: D:\\autorun.inf
          it cannot be read: inserting the disc starts nothing
unusable  the intro picture: D:\\zarn2000\\Data\\intro.tga
$unreadable the screen stays blank
unusable  the autorun menu's picture: D:\\zarn2000\\data\\setup.tga
$unreadable the autorun menu's picture area stays blank
unusable  the options menu's picture: D:\\data\\setup.tga
$unreadable the options menu's picture area stays blank"

# An image without Joliet names shows Windows other names than those on the folder: its plain
# ISO 9660 names, cut to 8.3, whatever its Rock Ridge names say.
xorriso -as mkisofs -V LABEL -o "$scratch/plain.iso" "$good" >"$scratch/xorriso.log" 2>&1
"$disccheck" "$scratch/plain.iso" >"$scratch/stdout"
status=$?
if [ "$status" != 1 ] || [ "$(findings <"$scratch/stdout")" != "unusable  the image's Joliet names, the long names Windows shows
          it has none, so Windows shows short upper-case names; make it with Joliet names (mkisofs -J)
$intro
missing   the options menu's developer web shortcut: D:\\quillmoor web site.url
missing   the options menu's games web shortcut: D:\\Zarn Games web site.url" ]; then
    fail "an image without Joliet names (exit status $status)"
    cat "$scratch/stdout"
fi

# The previews are what the launcher's rescale makes of each menu's picture (as tgatool writes it:
# bottom-up BGRA rows after an 18-byte header), top row first.
"$disccheck" "$good" --previews "$scratch/previews" >/dev/null
for preview in 'autorun-menu 378 244 zarn2000/Data/setup.tga' 'options-menu 327 237 data/setup.tga'; do
    read -r menu width height picture <<<"$preview"
    "$tgatool" rescale "$good/$picture" "$width" "$height" "$scratch/expected.tga" >/dev/null
    tail -c +19 "$scratch/expected.tga" >"$scratch/expected.bgra"
    if ! cmp -s <(convert "$scratch/previews/$menu-${width}x$height.png" rgb:-) \
        <(convert -size "${width}x$height" -depth 8 "bgra:$scratch/expected.bgra" -flip rgb:-); then
        fail "the preview $menu-${width}x$height.png is not the menu's rescale"
    fi
done

# Previews are written whole, and never through what is planted in their folder: a link to a
# file is replaced by the preview and the file stays as it was.
planted=$scratch/planted
mkdir -p "$planted"
echo precious >"$scratch/precious"
ln -s "$scratch/precious" "$planted/autorun-menu-378x244.png"
"$disccheck" "$good" --previews "$planted" >/dev/null
if [ "$(cat "$scratch/precious")" != precious ] || [ -L "$planted/autorun-menu-378x244.png" ] ||
    ! cmp -s "$planted/autorun-menu-378x244.png" "$scratch/previews/autorun-menu-378x244.png"; then
    fail "a link planted among the previews was written through"
fi
# A limit of 1 KiB on the size of a file stands in for a full disk: no preview is left.
(
    ulimit -f 1
    trap '' XFSZ
    exec "$disccheck" "$good" --previews "$scratch/full" >/dev/null 2>"$scratch/stderr"
)
status=$?
if [ "$status" != 2 ] || [ -n "$(ls -A "$scratch/full")" ] ||
    [ "$(head -n 1 "$scratch/stderr")" != "disccheck: cannot write $scratch/full/autorun-menu-378x244.png: File too large" ]; then
    fail "a preview that cannot be written whole (exit status $status)"
    cat "$scratch/stderr"
fi

# Bad command lines and discs that cannot be read: the exit status and the first line on stderr.
expect() {
    local status=$1 message=$2
    shift 2
    "$disccheck" "$@" >/dev/null 2>"$scratch/stderr"
    local actual=$?
    local first
    first=$(head -n 1 "$scratch/stderr")
    if [ "$actual" != "$status" ] || [ "$first" != "$message" ]; then
        fail "disccheck$(printf ' [%s]' "$@")"
        printf '  expected %s "%s"\n  got      %s "%s"\n' "$status" "$message" "$actual" "$first"
    fi
}
expect 0 "" --help
expect 2 "disccheck: no disc given"
expect 2 "disccheck: unknown option --source" "$good" --source D:
expect 2 "disccheck: a value is missing after --srcdrive" "$good" --srcdrive
expect 2 "disccheck: one disc at a time, not also $good.iso" "$good" "$good.iso"
expect 2 "disccheck: cannot read $scratch/none: No such file or directory" "$scratch/none"
expect 2 "disccheck: cannot read $good/autorun.inf: it is no readable folder or ISO 9660 image" \
    "$good/autorun.inf"
expect 2 "disccheck: cannot make $good/autorun.inf: Not a directory" "$good" --previews "$good/autorun.inf"

# Windows reads an image by its Joliet names where it has them, else by its plain ISO 9660 names
# without their versions (";1"), never by Rock Ridge's: the names tools/extract-disc-image.sh
# extracts. Each image here has Rock Ridge names other than those, and is judged as the folder
# extracted from it is.
joliet_versions=$scratch/joliet-versions.iso
xorriso -compliance only_iso_version_off -joliet on -volid LABEL -outdev "$joliet_versions" \
    -map "$good" / >"$scratch/xorriso.log" 2>&1 || fail "xorriso cannot make $joliet_versions"
# The Joliet volume's root pointed at the Rock Ridge tree: Rock Ridge names in Joliet's records.
rock_ridge_in_joliet=$scratch/rock-ridge-in-joliet.iso
"$root/tools/make-disc-image.sh" "$good" "$rock_ridge_in_joliet" LABEL >"$scratch/xorriso.log" 2>&1
if [ "$(dd if="$rock_ridge_in_joliet" bs=1 skip=$((17 * 2048 + 88)) count=2 status=none)" = '%/' ]; then
    dd if="$rock_ridge_in_joliet" of="$rock_ridge_in_joliet" bs=1 skip=$((16 * 2048 + 156)) \
        seek=$((17 * 2048 + 156)) count=34 conv=notrunc status=none
else
    fail "the Joliet volume of $rock_ridge_in_joliet is not in block 17"
fi
for iso in "$scratch/plain.iso" "$joliet_versions" "$rock_ridge_in_joliet"; do
    extracted=${iso%.iso}-extracted
    "$root/tools/extract-disc-image.sh" "$iso" "$extracted" || fail "${iso##*/} cannot be extracted"
    "$disccheck" "$extracted" >"$scratch/expected"
    expected_status=$?
    "$disccheck" "$iso" >"$scratch/stdout" 2>"$scratch/stderr"
    status=$?
    # The folder lacks the image's own finding: Joliet names missing.
    got=$(findings <"$scratch/stdout" | sed "/^unusable  the image's Joliet names/,+1d")
    if [ "$status" != "$expected_status" ] || [ "$got" != "$(findings <"$scratch/expected")" ] ||
        [ -s "$scratch/stderr" ]; then
        fail "${iso##*/} is not judged by the names Windows reads"
        printf '  as extracted (%s):\n%s\n  as an image (%s):\n%s\n%s\n' "$expected_status" \
            "$(findings <"$scratch/expected")" "$status" "$got" "$(cat "$scratch/stderr")"
    fi
done

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
