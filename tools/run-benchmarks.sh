#!/usr/bin/env bash
# Usage: tools/run-benchmarks.sh [repetitions]
# Times the zoom in one run, side by side: the host benchmarks (ours, the plain reference, stb,
# single-path twins; repetitions interleaved, medians), the Python peers (Pillow, OpenCV), and
# the same cases timed natively and under Wine by zoom_timing (i686, the shipped build, and
# x86_64). Prints every table, then the ratios. Only ratios from one run mean anything on a
# shared machine.
#
# Build trees: HOST_BUILD (a Release host tree, default build/bench), WIN32_BUILD and
# WIN64_BUILD (default build/win32 and build/win64); each is configured and built when needed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The peers only the benchmarks need; the tests do without them.
tools/setup-deps.sh python3-pil python3-opencv

repetitions=${1:-15}
host=${HOST_BUILD:-build/bench}
win32=${WIN32_BUILD:-build/win32}
win64=${WIN64_BUILD:-build/win64}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

build() { # tree target [configure arguments...]
  local tree=$1 target=$2
  shift 2
  [ -f "$tree/CMakeCache.txt" ] || cmake -S . -B "$tree" -G Ninja "$@" >/dev/null
  cmake --build "$tree" --target "$target" >/dev/null
}

build "$host" bench_zoom -DCMAKE_BUILD_TYPE=Release
build "$host" zoom_timing
build "$win32" zoom_timing -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-i686.cmake"
build "$win64" zoom_timing -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-x86_64.cmake"

echo "=== Host benchmarks ($repetitions repetitions, interleaved; medians)"
"$host/bin/bench_zoom" --benchmark_repetitions="$repetitions" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/host.json" --benchmark_out_format=json | grep -v -E '_(mean|stddev|cv) '

echo "=== Peers"
/usr/bin/python3 tools/bench-peers.py "$repetitions" | tee "$out/peers.txt"

echo "=== zoom_timing, native"
"$host/bin/zoom_timing" "$repetitions" | tee "$out/native.txt"
echo "=== zoom_timing, i686 under Wine"
tools/wine-run.sh "$win32/bin/zoom_timing.exe" "$repetitions" | tee "$out/wine32.txt"
echo "=== zoom_timing, x86_64 under Wine"
tools/wine-run.sh "$win64/bin/zoom_timing.exe" "$repetitions" | tee "$out/wine64.txt"

/usr/bin/python3 - "$out" <<'EOF'
import json, re, sys

out = sys.argv[1]
host = {}
for run in json.load(open(f"{out}/host.json"))["benchmarks"]:
    if run.get("aggregate_name") == "median":
        host[run["run_name"]] = run["real_time"]  # milliseconds, as the benchmarks set

def table(path):
    times = {}
    for line in open(path):
        match = re.match(r"(BM_\S+)\s+([0-9.]+) ms", line)
        if match:
            times[match.group(1)] = float(match.group(2))
    return times

peers, native = table(f"{out}/peers.txt"), table(f"{out}/native.txt")
wine32, wine64 = table(f"{out}/wine32.txt"), table(f"{out}/wine64.txt")

print("\n=== Ratios (below 1: ours is faster)")
for case in sorted(n for n in host if "_" not in n.split("/")[1].split("_to_")[1]):
    ours = host[case]
    print(f"{case}: ours {ours:.3f} ms")
    for peer in ("reference", "stb", "1thread", "sse2", "portable", "recreate"):
        if case + "_" + peer in host:
            print(f"  ours / {peer:<14} = {ours / host[case + '_' + peer]:.3f}")
    for peer in ("pillow", "opencv_area", "opencv_linear"):
        if case + "_" + peer in peers:
            print(f"  ours / {peer:<14} = {ours / peers[case + '_' + peer]:.3f}")
    for name, wine in (("i686", wine32), ("x86_64", wine64)):
        if case in wine and case in native:
            print(f"  {name} under Wine / native zoom_timing = {wine[case] / native[case]:.3f}"
                  f"  (re-creating the pictures alone: "
                  f"{wine[case + '_recreate'] / native[case + '_recreate']:.3f})")
EOF
