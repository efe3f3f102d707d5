#!/usr/bin/env python3
"""Usage: check-debug-link.py EXE OBJDUMP

Checks that a shipped program carries no debug information and names, in its .gnu_debuglink
section, the file beside it that does: by name and by the checksum a debugger compares, so that a
stale symbol file is caught too."""
import os
import struct
import subprocess
import sys
import zlib


def sections(objdump, path):
    """Each section's name, size and file offset, as objdump reads them."""
    listing = subprocess.run([objdump, "-h", path], check=True, capture_output=True, text=True)
    found = {}
    for line in listing.stdout.splitlines():
        fields = line.split()
        if len(fields) >= 6 and fields[0].isdigit():
            found[fields[1]] = (int(fields[2], 16), int(fields[5], 16))
    return found


def debug_link(path, size, offset):
    """The file name and CRC-32 a .gnu_debuglink section holds: the name, NUL, padding to four
    bytes, then the checksum in the target's byte order (little-endian for Windows)."""
    with open(path, "rb") as f:
        f.seek(offset)
        data = f.read(size)
    name = data.split(b"\0", 1)[0].decode()
    (crc,) = struct.unpack_from("<I", data, (len(name) + 4) // 4 * 4)
    return name, crc


def main():
    exe, objdump = sys.argv[1:3]
    failures = []
    shipped = sections(objdump, exe)
    debug_sections = sorted(name for name in shipped if name.startswith(".debug_"))
    if debug_sections:
        failures.append(f"{exe} still holds {', '.join(debug_sections)}")
    if ".gnu_debuglink" not in shipped:
        failures.append(f"{exe} has no .gnu_debuglink section")
    else:
        name, crc = debug_link(exe, *shipped[".gnu_debuglink"])
        symbols = os.path.join(os.path.dirname(exe), name)
        expected = os.path.basename(exe) + ".debug"
        if name != expected:
            failures.append(f".gnu_debuglink names {name!r}, not {expected!r}")
        elif not os.path.isfile(symbols):
            failures.append(f"no {symbols} beside {exe}")
        else:
            with open(symbols, "rb") as f:
                actual = zlib.crc32(f.read())
            if actual != crc:
                failures.append(f"{symbols} has CRC-32 {actual:08x}, the link expects {crc:08x}")
            if ".debug_info" not in sections(objdump, symbols):
                failures.append(f"{symbols} holds no .debug_info")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
