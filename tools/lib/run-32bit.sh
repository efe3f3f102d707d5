#!/usr/bin/env bash
# Usage: tools/lib/run-32bit.sh PROGRAM [ARGS...]
# Runs a 32-bit Linux program for CTest: natively where this machine runs 32-bit programs, else
# under Debian's user-mode emulator, whose default processor has every instruction set the
# program may choose at run time (SSE2 to AVX2).
# shellcheck source=tools/lib/machine.sh
source "$(dirname "$0")/machine.sh"
if [ "$LUMBREL_RUNS_32BIT" = yes ]; then
  exec "$@"
fi
exec qemu-i386-static "$@"
