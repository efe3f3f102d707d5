#!/usr/bin/env python3
"""Draws the launcher's icon, a silver disc with a warm sheen, and writes it as res/lumbrel.ico
(32x32 and 16x16, 32-bit with alpha). Run it again only to change the drawing."""
import math
import struct
import sys


def pixel(x, y, size):
    c = (size - 1) / 2.0
    dx, dy = (x - c) / (size / 2.0), (y - c) / (size / 2.0)
    r = math.hypot(dx, dy)
    if r > 0.97 or r < 0.16:
        return (0, 0, 0, 0)
    if r < 0.30:  # the clear hub around the hole
        return (200, 205, 215, 255)
    angle = math.atan2(dy, dx)
    sheen = 0.5 + 0.5 * math.cos(2 * angle - 0.8)
    base = 150 + int(80 * sheen)
    red = min(255, base + int(60 * max(0.0, math.sin(angle * 2 + 1.0))))
    green = min(255, base + int(30 * sheen))
    blue = min(255, base - int(40 * sheen) + 30)
    if r > 0.90:  # a darker rim
        red, green, blue = red * 3 // 5, green * 3 // 5, blue * 3 // 5
    return (blue, green, red, 255)


def bitmap(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):  # bottom-up rows
        rows.append(b"".join(bytes(pixel(x, y, size)) for x in range(size)))
    mask_row = b"\0" * (((size + 31) // 32) * 4)
    return header + b"".join(rows) + mask_row * size


def main(path):
    images = [bitmap(32), bitmap(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/lumbrel.ico")
