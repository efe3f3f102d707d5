#!/usr/bin/env bash
# Usage: readme-layout-test.sh DISCCHECK README
# The README's table of the files a disc holds is exactly what `disccheck --layout` prints from
# the launcher's own layout; on a difference, it shows it and the table to paste.
set -euo pipefail
disccheck=$1
readme=$2
expected=$("$disccheck" --layout)
# The table runs from its header line to the first line that is not a row.
shown=$(awk '/^\| path \| what it is for \|$/ { inside = 1 } inside && !/^\|/ { exit } inside' "$readme")
if [ "$shown" != "$expected" ]; then
  echo "FAIL: README.md's table of a disc's files differs from the launcher's layout:"
  diff <(echo "$shown") <(echo "$expected") || true
  echo "The table to paste:"
  echo "$expected"
  exit 1
fi
echo "README.md's table of a disc's files is the launcher's layout"
