#!/usr/bin/env bash
# Usage: tools/fuzz.sh SECONDS [extra libFuzzer options...]
# Builds the TGA decoder's fuzzer (clang, ASan + UBSan) and runs it for SECONDS.
# New inputs collect in the build tree, seeded from tests/fuzz/corpus; a finding is written to
# the build tree as crash-*/oom-*/timeout-* and the script fails. BUILD_DIR overrides the tree.
set -euo pipefail

seconds=${1:?usage: tools/fuzz.sh SECONDS [libFuzzer options...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/host-asan}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DLUMBREL_SANITIZE=ON >/dev/null
cmake --build "$build" --target fuzz_load_tga

work=$build/fuzz
mkdir -p "$work/corpus" "$work/artifacts"
# The harness writes each input to a scratch file and removes it after the load; memory-backed
# storage makes that cheap. A crash can leave the file behind, so it is swept up at the end.
scratch=$work
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch=$(mktemp -d /dev/shm/fuzz-load-tga.XXXXXX); fi
export TMPDIR=$scratch
trap 'rm -f "$scratch"/fuzz-load-tga-*.tga; [ "$scratch" = "$work" ] || rmdir "$scratch"' EXIT

# FUZZ_JOBS > 1 runs that many fuzzing processes side by side (libFuzzer's fork mode).
parallel=()
if [ "${FUZZ_JOBS:-1}" -gt 1 ]; then parallel=(-fork="$FUZZ_JOBS"); fi
"$build/bin/fuzz_load_tga" "$work/corpus" "$root/tests/fuzz/corpus" "${parallel[@]}" \
  -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@"
