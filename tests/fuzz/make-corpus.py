#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora. Run from anywhere.

corpus/load_tga: small TGA files covering each depth, colour-map kind and compression the decoder
accepts, plus a few it rejects, each behind the byte that picks each instruction-set path.
corpus/zoom: zooms and rescales covering each filter selector, channel count, path and threading,
sizes of 0 and 1, block edges and long thin images (see FuzzZoom.cpp for the layout).
corpus/iso_disc: small disc images made by xorriso, with Joliet names and without, with versions
on the Joliet names, behind a boot record, with a folder of several blocks (see FuzzIsoDisc.cpp
for the layout)."""
import os
import random
import struct
import subprocess
import tempfile

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

TGA_PATHS = {"portable": 0, "sse2": 1, "ssse3": 2}

# Zoom header fields, as FuzzZoom.cpp reads them.
PORTABLE, SSE2, AVX2 = 0, 1, 2
BANDS = 4  # threading bit: split any image into bands of rows
NONE, NEAREST, BOX, TRIANGLE, BSPLINE, LANCZOS3, MITCHELL, DEFAULT = range(8)
ZOOM, RESCALE, RESCALE_ITSELF = range(3)


def raw_selector(value):
    return 0x80 | value


def zoom(path, threading, selector, channels, run, src, dst, samples=97):
    rng = random.Random(f"{src}{dst}{channels}")
    return struct.pack("<BBBBBHHHH", path, threading, selector, channels, run, *src, *dst) + \
        bytes(rng.randrange(256) for _ in range(samples))


zooms = {
    "none": zoom(PORTABLE, 0, NONE, 3, ZOOM, (9, 7), (4, 4)),
    "nearest": zoom(SSE2, 1, NEAREST, 3, ZOOM, (37, 21), (50, 9)),
    "box": zoom(AVX2, 2, BOX, 1, ZOOM, (37, 21), (50, 9)),
    "triangle": zoom(PORTABLE, 3, TRIANGLE, 2, ZOOM, (50, 9), (37, 21)),
    "bspline": zoom(SSE2, 0, BSPLINE, 4, ZOOM, (33, 17), (16, 8)),
    "lanczos3": zoom(AVX2, 1, LANCZOS3, 4, ZOOM, (17, 33), (25, 15)),
    "mitchell": zoom(PORTABLE, 2, MITCHELL, 1, ZOOM, (5, 3), (40, 31)),
    "hermite": zoom(SSE2, 3, DEFAULT, 3, ZOOM, (8, 16), (9, 17)),
    "unnamed_selector": zoom(AVX2, 0, raw_selector(63), 2, ZOOM, (15, 4), (32, 5)),
    "zero_selector": zoom(PORTABLE, 0, raw_selector(0), 1, ZOOM, (16, 16), (15, 15)),
    "five_channels": zoom(AVX2, 1, LANCZOS3, 5, ZOOM, (9, 9), (20, 3)),
    "six_channels": zoom(SSE2, 2, BOX, 6, ZOOM, (20, 3), (9, 9)),
    "no_channels": zoom(PORTABLE, 0, DEFAULT, 0, ZOOM, (4, 4), (5, 5)),
    "empty_source": zoom(AVX2, 0, DEFAULT, 1, ZOOM, (0, 5), (3, 3)),
    "empty_destination": zoom(SSE2, 0, NEAREST, 2, ZOOM, (5, 5), (3, 0)),
    "one_pixel": zoom(AVX2, 0, MITCHELL, 1, ZOOM, (1, 1), (7, 5)),
    "long_row": zoom(AVX2, 1, DEFAULT, 1, ZOOM, (1000, 1), (379, 3)),
    "long_column": zoom(SSE2, 1, BSPLINE, 1, ZOOM, (1, 700), (5, 201)),
    "bands": zoom(AVX2, BANDS | 2, DEFAULT, 1, ZOOM, (64, 200), (60, 150)),
    "bands_portable": zoom(PORTABLE, BANDS | 3, LANCZOS3, 3, ZOOM, (40, 90), (31, 100)),
    "rescale": zoom(AVX2, 1, 0, 0, RESCALE, (37, 23), (16, 9)),
    "rescale_up": zoom(SSE2, BANDS | 1, 0, 0, RESCALE, (5, 3), (40, 31)),
    "rescale_portable": zoom(PORTABLE, 0, 0, 0, RESCALE, (9, 33), (9, 33)),
    "rescale_to_empty": zoom(AVX2, 0, 0, 0, RESCALE, (6, 2), (0, 5)),
    "rescale_from_empty": zoom(AVX2, 0, 0, 0, RESCALE, (0, 2), (4, 5)),
    "rescale_itself": zoom(SSE2, 0, 0, 0, RESCALE_ITSELF, (19, 7), (19, 7)),
}


# A disc of the launcher's kind: its files, some in folders, a name with spaces.
DISC = {
    "autorun.inf": b"[autorun]\r\nopen=zarn2000\\lumbrel.exe\r\nicon=zarn2000\\lumbrel.exe\r\n",
    "zarn2000/lumbrel.exe": b"MZ",
    "zarn2000/Data/intro.tga": header(2, 24) + raw(24),
    "Zarn Games web site.url": b"[InternetShortcut]\r\nURL=http://example.com/\r\n",
}
BLOCK = 2048
DESCRIPTOR_BLOCK = 16
# Files and images get this time, so that the seeds come out the same on every run.
EPOCH = 946684800


def iso_image(disc, xorriso_args):
    """The image xorriso makes of `disc` (path: contents) with the arguments, as FuzzIsoDisc.cpp
    reads it: the blocks from the volume descriptors on, trailing zero blocks left out, each as
    the count of its bytes up to its last non-zero one, then those bytes."""
    with tempfile.TemporaryDirectory() as work:
        folder = os.path.join(work, "disc")
        for path, data in disc.items():
            os.makedirs(os.path.dirname(os.path.join(folder, path)), exist_ok=True)
            with open(os.path.join(folder, path), "wb") as f:
                f.write(data)
        for here, _, names in os.walk(folder):
            for path in [here] + [os.path.join(here, name) for name in names]:
                os.utime(path, (EPOCH, EPOCH))
        image = os.path.join(work, "disc.iso")
        args = [a.format(folder=folder, image=image) for a in xorriso_args]
        subprocess.run(["xorriso", *args], check=True, capture_output=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=str(EPOCH)))
        with open(image, "rb") as f:
            data = f.read()[DESCRIPTOR_BLOCK * BLOCK:]
    blocks = [data[i:i + BLOCK].rstrip(b"\0") for i in range(0, len(data), BLOCK)]
    while blocks and not blocks[-1]:
        blocks.pop()
    return b"".join(struct.pack("<H", len(b)) + b for b in blocks)


MKISOFS = ["-as", "mkisofs", "-no-pad", "-o", "{image}"]
# Empty files: their names fill the folder's blocks and no block of their own.
long_folder = dict(DISC, **{f"many/entry number {i:02d} with a name that fills blocks.txt": b""
                            for i in range(16)})
isos = {
    "joliet": iso_image(DISC, MKISOFS + ["-iso-level", "2", "-J", "-joliet-long", "{folder}"]),
    "plain": iso_image(DISC, MKISOFS + ["{folder}"]),
    "joliet_versions": iso_image(DISC, ["-compliance", "only_iso_version_off:no_emul_toc", "-joliet", "on",
                                        "-outdev", "{image}", "-map", "{folder}", "/"]),
    "boot_record": iso_image(dict(DISC, **{"boot.img": b"\xeb"}),
                             MKISOFS + ["-J", "-b", "boot.img", "-no-emul-boot", "{folder}"]),
    "long_folder": iso_image(long_folder, MKISOFS + ["-J", "--norock", "{folder}"]),
}


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, "corpus", folder), exist_ok=True)
    with open(os.path.join(HERE, "corpus", folder, name), "wb") as f:
        f.write(data)


for name, data in files.items():
    for path, byte in TGA_PATHS.items():
        write("load_tga", f"{name[:-4]}-{path}", bytes([byte]) + data)
for name, data in zooms.items():
    write("zoom", name, data)
for name, data in isos.items():
    write("iso_disc", name, data)
