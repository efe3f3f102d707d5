#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: small TGA files covering each depth, colour-map kind and
compression the decoder accepts, plus a few it rejects. Run from anywhere; writes into corpus/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 5, 3


def header(image_type, depth, cmap=None, id_field=b"", width=W, height=H, descriptor=0):
    first, length, entry = cmap if cmap else (0, 0, 0)
    return struct.pack("<BBBHHBHHHHBB", len(id_field), 1 if cmap else 0, image_type,
                       first, length, entry, 0, 0, width, height, depth, descriptor) + id_field


def pixel(depth, i):
    if depth == 8:
        return bytes([i % 4])
    if depth in (15, 16):
        return struct.pack("<H", (i * 2731) & 0xFFFF)
    if depth == 24:
        return bytes([i * 40 % 256, i * 70 % 256, i * 90 % 256])
    return bytes([i * 40 % 256, i * 70 % 256, i * 90 % 256, i * 50 % 256])


def raw(depth):
    return b"".join(pixel(depth, i) for i in range(W * H))


def rle(depth):
    # Per row of 5: a run of 3 then a raw packet of 2.
    out = b""
    for row in range(H):
        out += bytes([0x82]) + pixel(depth, row) + bytes([0x01]) + pixel(depth, row + 1) + pixel(depth, row + 2)
    return out


def colour_map(entry_bits, length):
    size = (entry_bits + 7) // 8
    return b"".join(bytes([(i * 60 + k * 17) % 256 for k in range(size)]) for i in range(length))


files = {}
for depth in (15, 16, 24, 32):
    files[f"raw{depth}.tga"] = header(2, depth) + raw(depth)
    files[f"rle{depth}.tga"] = header(10, depth) + rle(depth)
for entry in (15, 24, 32):
    files[f"mapped8_entry{entry}.tga"] = header(1, 8, (0, 4, entry)) + colour_map(entry, 4) + raw(8)
    files[f"mapped8_rle_entry{entry}.tga"] = header(9, 8, (1, 3, entry)) + colour_map(entry, 3) + rle(8)
files["truecolour24_with_map.tga"] = header(2, 24, (0, 2, 24), b"id") + colour_map(24, 2) + raw(24)
files["grey8_no_map.tga"] = header(3, 8) + raw(8)
files["depth1.tga"] = header(3, 1) + b"\0" * 4
files["top_left_origin.tga"] = header(2, 24, descriptor=0x20) + raw(24)
files["cut_in_header.tga"] = header(2, 24)[:17]
files["cut_in_pixels.tga"] = header(2, 24) + raw(24)[:20]
files["overrun_row.tga"] = header(10, 24) + bytes([0x85]) + pixel(24, 0)

for name, data in files.items():
    with open(os.path.join(HERE, "corpus", name), "wb") as f:
        f.write(data)
