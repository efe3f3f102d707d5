#!/usr/bin/env python3
"""Paints the demo CD's pictures from nothing but arithmetic: a moonlit valley for the full-screen
intro and a dusk panorama for the menus. Writes 24-bit TGA files (bottom-up rows; the intro
run-length encoded, the menu picture uncompressed), as a CD author's paint program would.

Usage: make-art.py OUT_DIR"""
import math
import os
import random
import struct
import sys


def lerp(a, b, t):
    return tuple(int(x + (y - x) * t) for x, y in zip(a, b))


def ridge(x, width, seed, base, amplitude):
    """Height of a mountain ridge at column x: a few sine octaves."""
    u = x / width
    h = 0.0
    for octave in range(1, 5):
        h += math.sin(u * math.pi * (octave * 2.3) + seed * octave) / octave
    return base - amplitude * h


def paint(width, height, sky_top, sky_bottom, glow, layers, moon, stars):
    rng = random.Random(width * 7919 + height)
    star_set = {(rng.randrange(width), rng.randrange(int(height * 0.6))) for _ in range(stars)}
    ridges = [[ridge(x, width, seed, base * height, amp * height) for x in range(width)]
              for seed, base, amp, _ in layers]
    rows = []
    for y in range(height):  # y = 0 is the top row
        t = y / (height - 1)
        sky = lerp(sky_top, sky_bottom, t)
        row = bytearray()
        for x in range(width):
            colour = sky
            if moon:
                mx, my, mr = moon[0] * width, moon[1] * height, moon[2] * height
                d = math.hypot(x - mx, y - my)
                if d < mr:
                    shade = 0.85 + 0.15 * ((x - mx) / mr)
                    colour = lerp((200, 200, 185), (250, 248, 230), shade)
                elif d < mr * 2.2:
                    colour = lerp(colour, (90, 90, 120), 0.45 * (1 - (d - mr) / (mr * 1.2)))
            if (x, y) in star_set and colour == sky:
                colour = (230, 230, 255)
            horizon = abs(t - 0.62)
            if horizon < 0.12:
                colour = lerp(colour, glow, 0.5 * (1 - horizon / 0.12))
            for (_, _, _, tone), heights in zip(layers, ridges):
                if y >= heights[x]:
                    colour = tone
            row += bytes((colour[2], colour[1], colour[0]))  # blue, green, red
        rows.append(bytes(row))
    return rows[::-1]  # the file stores the bottom row first


def header(width, height, image_type):
    return struct.pack("<BBBHHBHHHHBB", 0, 0, image_type, 0, 0, 0, 0, 0, width, height, 24, 0)


def rle_row(row):
    pixels = [row[i:i + 3] for i in range(0, len(row), 3)]
    out = bytearray()
    i = 0
    while i < len(pixels):
        run = 1
        while i + run < len(pixels) and run < 128 and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            out.append(0x80 | (run - 1))
            out += pixels[i]
            i += run
            continue
        start = i
        while i < len(pixels) and i - start < 128 and not (
                i + 1 < len(pixels) and pixels[i + 1] == pixels[i]):
            i += 1
        if i == start:
            i += 1
        out.append(i - start - 1)
        out += b"".join(pixels[start:i])
    return bytes(out)


def write_tga(path, width, height, rows, compressed):
    with open(path, "wb") as f:
        f.write(header(width, height, 10 if compressed else 2))
        for row in rows:
            f.write(rle_row(row) if compressed else row)


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    intro = paint(800, 600, (8, 10, 40), (60, 40, 90), (230, 140, 90),
                  [(0.4, 0.62, 0.08, (40, 30, 70)), (1.7, 0.72, 0.07, (25, 20, 45)),
                   (2.9, 0.84, 0.05, (10, 10, 20))],
                  moon=(0.74, 0.22, 0.07), stars=700)
    write_tga(os.path.join(out_dir, "intro.tga"), 800, 600, intro, compressed=True)
    menu = paint(512, 330, (30, 40, 110), (250, 150, 90), (255, 210, 120),
                 [(0.9, 0.66, 0.10, (70, 50, 90)), (2.2, 0.80, 0.08, (35, 25, 50))],
                 moon=None, stars=60)
    write_tga(os.path.join(out_dir, "setup.tga"), 512, 330, menu, compressed=False)


if __name__ == "__main__":
    main(sys.argv[1])
