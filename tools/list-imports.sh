#!/usr/bin/env bash
# Usage: tools/list-imports.sh [EXE]
# What a Windows program asks of the system that runs it: its file format, the subsystem version
# in its header (Windows refuses a program whose subsystem version is newer than itself), and every
# DLL it imports with the functions it takes from each. EXE defaults to the shipped build's
# lumbrel.exe (build it first: cmake --preset win32 && cmake --build --preset win32).
set -euo pipefail
exe=${1:-$(dirname "$0")/../build/win32/bin/lumbrel.exe}
[ -f "$exe" ] || { echo "list-imports: no such file: $exe" >&2; exit 1; }

# The x86_64 objdump reads both 32-bit and 64-bit programs.
x86_64-w64-mingw32-objdump -p "$exe" | awk '
  /file format/ { print "format:", $NF }
  /^MajorSubsystemVersion/ { major = $2 }
  /^MinorSubsystemVersion/ { print "subsystem version:", major "." $2 }
  /^Subsystem\t/ { sub(/^[^(]*/, ""); print "subsystem:", $0 }
  /DLL Name:/ { printf "\n%s:", $3; next }
  /^\t[0-9a-f]+\t +[0-9]+  [^<]/ { printf " %s", $3 }
  END { print "" }
'
