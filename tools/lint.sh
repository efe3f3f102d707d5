#!/usr/bin/env bash
# Usage: tools/lint.sh [FILES...]
# The direction of every include of src/ against docs/architecture.md (tools/check-includes.py),
# then the clang-format check and clang-tidy over the project's sources (or the given files):
# each file against the first compile database that builds it (host, then host-asan for the
# fuzzers, then win32 with the mingw compiler's own include directories, so clang reads the same
# headers).
# Configure those presets first; a file that none of them builds is an error, not a skip.
set -euo pipefail
cd "$(dirname "$0")/.."

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp' 'bench/*.cpp')
fi

status=0
python3 tools/check-includes.py || status=1
clang-format --dry-run --Werror "${files[@]}"

mingw_args=(--extra-arg=--target=i686-w64-mingw32 --extra-arg=-nostdinc++)
while read -r dir; do
  mingw_args+=("--extra-arg=-isystem$dir")
done < <(i686-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
  sed -n '/search starts here/,/End of search list/{/^ /p}' | sed 's/^ //' |
  grep -v -E '/gcc/.*/include(-fixed)?$') # clang brings its own compiler headers

# Prints the clang-tidy command line for one file, or nothing when no database builds it.
tidy_command() {
  local f=$1 preset
  for preset in host host-asan win32; do
    if grep -q "\"$PWD/$f\"" "build/$preset/compile_commands.json" 2>/dev/null; then
      if [ "$preset" = win32 ]; then
        echo "-p build/$preset ${mingw_args[*]} $f"
      else
        echo "-p build/$preset $f"
      fi
      return
    fi
  done
}

commands=()
for f in "${files[@]}"; do
  command=$(tidy_command "$f")
  if [ -z "$command" ]; then
    echo "lint.sh: $f is built by none of the host, host-asan and win32 presets" >&2
    status=1
  else
    commands+=("$command")
  fi
done

# One clang-tidy per core; its own count of warnings is noise, its warnings and errors are not.
if [ ${#commands[@]} -gt 0 ]; then
  printf '%s\n' "${commands[@]}" |
    xargs -P "$(nproc)" -L 1 sh -c 'clang-tidy --quiet "$@" 2>&1 | grep -v -E "^[0-9]+ (warning|error)s? generated\.$"; exit "$(($? == 0))"' lint ||
    status=1
fi
[ $status -eq 0 ] && echo "lint.sh: ${#files[@]} sources, no findings"
exit $status
