#!/usr/bin/env bash
# Usage: command-line-test.sh TGATOOL GOOD.tga SCRATCH_DIR
# Bad command lines, pictures over the pixel limit and outputs that cannot be written: each case's
# exit status and the first line it prints on stderr. Then no output or temporary file may be
# left but those of the commands that succeeded.
set -uo pipefail
tgatool=$1
good=$2 # 13 x 7
scratch=$3

rm -rf "$scratch"
mkdir -p "$scratch/in" "$scratch/out/folder"
out=$scratch/out
# Headers alone: a 24-bit picture of 1 x 65535, and one of 65535 x 65535.
tall=$scratch/in/tall.tga
huge=$scratch/in/huge.tga
printf '\0\0\2\0\0\0\0\0\0\0\0\0\1\0\377\377\30\0' >"$tall"
printf '\0\0\2\0\0\0\0\0\0\0\0\0\377\377\377\377\30\0' >"$huge"

failures=0
expect() {
    local status=$1 message=$2
    shift 2
    "$tgatool" "$@" >"$scratch/stdout" 2>"$scratch/stderr"
    local actual=$?
    local first
    first=$(head -n 1 "$scratch/stderr")
    if [ "$actual" != "$status" ] || [ "$first" != "$message" ]; then
        printf 'FAIL: tgatool%s\n  expected %s "%s"\n  got      %s "%s"\n' \
            "$(printf ' [%s]' "$@")" "$status" "$message" "$actual" "$first"
        failures=$((failures + 1))
    fi
}

limit="over the limit of 89478485 (--max-pixels)"
never=$out/never.tga

# status  first line on stderr  command line
expect 2 "tgatool: --trace-file needs a PATH" --trace-file
expect 2 "tgatool: --trace-file needs a PATH" --trace-file "" decode "$good" "$never"
expect 2 "tgatool: --max-pixels needs a number N" --max-pixels
expect 2 "tgatool: unknown option '--max'" --max 5 decode "$good" "$never"
expect 2 "tgatool: unknown command 'encode'" encode "$good" "$never"
for bad in " 5" "+5" "-5" "5 " "5x" "0x10" "0" "" "18446744073709551616"; do
    expect 2 "tgatool: --max-pixels takes a whole number from 1 to 18446744073709551615, not '$bad'" \
        --max-pixels "$bad" decode "$good" "$never"
done
for bad in " 5" "+5" "-5" "5 " "5x" "0" "" "65536" "4294967303" "18446744073709551623"; do
    expect 2 "tgatool: WIDTH and HEIGHT are whole numbers from 1 to 65535" \
        rescale "$good" "$bad" 7 "$never"
done

expect 1 "tgatool: the picture in $huge is 65535 x 65535 pixels, $limit" decode "$huge" "$never"
expect 1 "tgatool: the picture in $huge is 65535 x 65535 pixels, $limit" \
    rescale "$huge" 2 2 "$never"
expect 1 "tgatool: the target is 65535 x 65535 pixels, $limit" rescale "$good" 65535 65535 "$never"
expect 1 "tgatool: the rows between the passes (WIDTH x the rows of $tall that one target row reads) is 65535 x 65535 pixels, $limit" \
    rescale "$tall" 65535 2 "$never"
# Made wide and a little shorter, each target row reads few source rows: within the limits, so
# the load goes ahead, finds no pixels (its reports go to the standard output) and the blank
# target is written.
expect 1 "" rescale "$tall" 2000 1000 "$out/blank.tga"
expect 1 "tgatool: the picture in $good is 13 x 7 pixels, over the limit of 90 (--max-pixels)" \
    --max-pixels 90 decode "$good" "$never"
expect 0 "" --max-pixels 91 decode "$good" "$out/decoded.tga"
expect 0 "" rescale "$good" 0026 14 "$out/rescaled.tga"

expect 2 "tgatool: cannot write $out/folder: Is a directory" decode "$good" "$out/folder"
expect 2 "tgatool: cannot write $out/missing/out.tga: No such file or directory" \
    decode "$good" "$out/missing/out.tga"
expect 2 "tgatool: cannot write /dev/full: No space left on device" decode "$good" /dev/full
expect 2 "tgatool: cannot write /dev/full: No space left on device" rescale "$good" 5 5 /dev/full

# An output that is a link to a file is replaced; the file it pointed at stays as it was.
links=$scratch/links
mkdir -p "$links"
echo precious >"$links/precious"
ln -s precious "$links/out.tga"
expect 0 "" decode "$good" "$links/out.tga"
if [ -L "$links/out.tga" ] || [ "$(cat "$links/precious")" != precious ] ||
    ! cmp -s "$links/out.tga" "$out/decoded.tga"; then
    echo "FAIL: an output link was written through, or not replaced by the picture"
    failures=$((failures + 1))
fi

left=$(cd "$out" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
if [ "$left" != "./blank.tga ./decoded.tga ./folder ./rescaled.tga " ]; then
    echo "FAIL: files left in the output folder: $left"
    failures=$((failures + 1))
fi
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
