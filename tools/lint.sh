#!/usr/bin/env bash
# Usage: tools/lint.sh [FILES...]
# clang-format check and clang-tidy over the project's sources (or the given files): portable
# files against the host build's compile database, Win32 files against the win32 build's, with the
# mingw compiler's own include directories so clang reads the same headers.
set -euo pipefail
cd "$(dirname "$0")/.."

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp' 'bench/*.cpp')
fi

clang-format --dry-run --Werror "${files[@]}"

mingw_args=(--extra-arg=--target=i686-w64-mingw32 --extra-arg=-nostdinc++)
while read -r dir; do
  mingw_args+=("--extra-arg=-isystem$dir")
done < <(i686-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
  sed -n '/search starts here/,/End of search list/{/^ /p}' | sed 's/^ //' |
  grep -v -E '/gcc/.*/include(-fixed)?$') # clang brings its own compiler headers

status=0
for f in "${files[@]}"; do
  if grep -q "\"$PWD/$f\"" build/host/compile_commands.json 2>/dev/null; then
    clang-tidy --quiet -p build/host "$f" 2>/dev/null || status=1
  elif grep -q "\"$PWD/$f\"" build/win32/compile_commands.json 2>/dev/null; then
    clang-tidy --quiet -p build/win32 "${mingw_args[@]}" "$f" 2>/dev/null || status=1
  fi
done
exit $status
