#!/usr/bin/env bash
# Usage: tools/fuzz.sh SECONDS [TARGET] [extra libFuzzer options...]
# Builds the fuzzers (clang, ASan + UBSan) and runs TARGET for SECONDS: load_tga (the TGA
# decoder), zoom (the zoom engine and the rescale of pictures) or iso_disc (disccheck's reading of
# disc images). Without a TARGET all of them run, sharing the SECONDS between them.
# New inputs collect in the build tree, seeded from tests/fuzz/corpus/TARGET; a finding is written
# to the build tree as crash-*/oom-*/timeout-*/slow-unit-* under fuzz/TARGET/artifacts, and the
# script fails once every target has run. The fuzzers are built in the host-asan preset's tree.
set -euo pipefail

usage="usage: tools/fuzz.sh SECONDS [load_tga|zoom|iso_disc] [libFuzzer options...]"
seconds=${1:?$usage}
shift
targets=(load_tga zoom iso_disc)
if [ $# -gt 0 ] && [[ $1 != -* ]]; then
  case $1 in
    load_tga | zoom | iso_disc) targets=("$1") ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/host-asan

# Presets are found in the working directory; libFuzzer options may name files relative to the
# caller's, so only the build moves there.
(
  cd "$root"
  cmake --preset host-asan >/dev/null
  cmake --build --preset host-asan --target "${targets[@]/#/fuzz_}"
)

# The decoder's harness writes each input to a scratch file and removes it after the load;
# memory-backed storage makes that cheap. A crash can leave the file behind, so it is swept up at
# the end.
scratch=$build/fuzz
mkdir -p "$scratch"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch=$(mktemp -d /dev/shm/fuzz-load-tga.XXXXXX); fi
export TMPDIR=$scratch
trap 'rm -f "$scratch"/fuzz-load-tga-*.tga; [ "$scratch" = "$build/fuzz" ] || rmdir "$scratch"' EXIT

# FUZZ_JOBS > 1 runs that many fuzzing processes side by side (libFuzzer's fork mode).
parallel=()
if [ "${FUZZ_JOBS:-1}" -gt 1 ]; then parallel=(-fork="$FUZZ_JOBS"); fi

# An input is kept short of what the harness needs: the decoder's files, the zoom's header and
# enough samples to vary a picture, or a small disc image. A single input running for seconds is a
# finding (each is bounded to run in milliseconds), and so is one that takes more than 2 GB.
declare -A max_len=([load_tga]=8192 [zoom]=4096 [iso_disc]=8192)

failed=()
left=$seconds
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  share=$((left / (${#targets[@]} - i)))
  left=$((left - share))
  work=$build/fuzz/$target
  mkdir -p "$work/corpus" "$work/artifacts"
  echo "=== fuzz_$target for ${share}s"
  "$build/bin/fuzz_$target" "$work/corpus" "$root/tests/fuzz/corpus/$target" "${parallel[@]}" \
    -max_total_time="$share" -max_len="${max_len[$target]}" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$@" || failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]} (see $build/fuzz/*/artifacts)" >&2
  exit 1
fi
