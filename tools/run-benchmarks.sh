#!/usr/bin/env bash
# Usage: tools/run-benchmarks.sh [repetitions]
# Times the TGA decoder and the zoom in one run, side by side: the host benchmarks (ours, the
# plain reference, stb, single-path twins; repetitions interleaved, medians), the Python peers
# (Pillow, OpenCV) on the same files and sizes, and the same cases timed natively and under Wine
# by picture_timing (i686, the shipped build, and x86_64; the i686 one only where 32-bit programs
# run). Prints every table, then the ratios (tools/bench-ratios.py). Only ratios from one run
# mean anything on a shared machine.
#
# Build trees: the presets bench (native, Release), win32 and win64, each configured and built
# as far as the programs timed here need.
set -euo pipefail
cd "$(dirname "$0")/.."

# The peers only the benchmarks need; the tests do without them.
tools/setup-deps.sh python3-pil python3-opencv
# shellcheck source=tools/lib/machine.sh
source tools/lib/machine.sh

repetitions=${1:-15}
host=build/bench
win32=build/win32
win64=build/win64
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

build() { # preset targets...
  local preset=$1
  shift
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "$@" >/dev/null
}

build bench bench_tga_decode bench_zoom bench_tga_files picture_timing
[ "$LUMBREL_RUNS_32BIT" = no ] || build win32 picture_timing
build win64 picture_timing

echo "=== Host benchmarks ($repetitions repetitions, interleaved; medians)"
for program in bench_tga_decode bench_zoom; do
  "$host/bin/$program" --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    --benchmark_counters_tabular=true \
    --benchmark_out="$out/$program.json" --benchmark_out_format=json |
    grep -v -E '_(mean|stddev|cv) '
done

echo "=== Peers"
mkdir "$out/cases"
"$host/bin/bench_tga_files" "$out/cases" >/dev/null
/usr/bin/python3 tools/bench-peers.py "$repetitions" "$out/cases" | tee "$out/peers.txt"

echo "=== picture_timing, native"
"$host/bin/picture_timing" "$repetitions" | tee "$out/native.txt"
echo "=== picture_timing, i686 under Wine"
if [ "$LUMBREL_RUNS_32BIT" = yes ]; then
  tools/lib/wine-run.sh "$win32/bin/picture_timing.exe" "$repetitions" | tee "$out/wine32.txt"
else
  echo "not run: $no_32bit_reason" | tee "$out/wine32.txt"
fi
echo "=== picture_timing, x86_64 under Wine"
tools/lib/wine-run.sh "$win64/bin/picture_timing.exe" "$repetitions" | tee "$out/wine64.txt"

/usr/bin/python3 tools/bench-ratios.py pictures "$out"
