#!/usr/bin/env bash
# Usage: shipped-file-test.sh OBJDUMP FORMAT LUMBREL_EXE
# The launcher as it ships, checked as a file, so that it is checked on machines that cannot run
# it too: a GUI program of its build's machine type (FORMAT, as objdump names it: pei-i386 for
# the shipped 32-bit build), importing only the system DLLs it is known
# to need (DirectDraw is loaded at run time, the C++ runtime is linked in), stripped of its debug
# information, which lies beside it in the file its debug link names, and without an application
# manifest: a toolchain that linked a default one would silently switch off the registry and file
# virtualisation that Windows gives a program without one.
set -uo pipefail
objdump=$1
format=$2
exe=$3
root=$(cd "$(dirname "$0")/../.." && pwd)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

header=$("$root/tools/list-imports.sh" "$exe") || exit 1
grep -qx "format: $format" <<<"$header" || fail "not $format: $(head -1 <<<"$header")"
grep -qx 'subsystem: (Windows GUI)' <<<"$header" || fail "not a Windows GUI program"
dlls=$(sed -n 's/^\([^ :]*\.dll\):.*/\1/Ip' <<<"$header" | tr '[:lower:]' '[:upper:]' | sort | xargs)
[ "$dlls" = "ADVAPI32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL USER32.DLL" ] ||
  fail "imports other DLLs than the system's known seven: $dlls"

"$objdump" -h "$exe" | grep -q ' [.]debug_' && fail "debug sections left in the shipped file"
"$objdump" -s -j .gnu_debuglink "$exe" 2>/dev/null | grep -q 'lumbrel[.]exe[.]debu' ||
  fail "no debug link to lumbrel.exe.debug"
"$objdump" -h "$exe.debug" | grep -q ' [.]debug_info' || fail "lumbrel.exe.debug holds no debug information"

# The resource types are the top level of the resource tree; RT_MANIFEST is 24.
resource_types=$("$objdump" -p "$exe" | sed -n '/^The .rsrc Resource Directory/,$p' |
  sed -n 's/^[0-9a-f]\{3\}   Entry: ID: 0x\([0-9a-f]*\),.*/\1/p')
[ -n "$resource_types" ] || fail "no resources found (the icon and the dialogs)"
grep -qx 000018 <<<"$resource_types" && fail "an application manifest resource (type 24)"

[ $failures -eq 0 ]
