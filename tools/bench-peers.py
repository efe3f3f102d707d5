#!/usr/bin/python3
"""Times the peers of the picture benchmarks on the same cases: Pillow decoding the decoding
benchmarks' TGA files from memory (OpenCV reads no TGA), and Pillow's and OpenCV's resize of a
picture of 4-byte pixels (the layout the launcher's pictures have), each a new picture per call.
Their filters differ from ours, so only the speed of a resize is compared. Like the other timing
programs, the peers run in turn, round after round, and the median of each is reported, in
milliseconds. The cases are those of our benchmarks, as bench_tga_files writes them: its TGA
files, and the zoom cases in zoom-cases.txt.

Usage: tools/bench-peers.py ROUNDS FOLDER
       (Debian's python3 with python3-pil and python3-opencv; FOLDER holds what bench_tga_files
       writes)
"""
import io
import pathlib
import sys
import time

import cv2
import numpy as np
from PIL import Image

def make_picture(width, height):
    """Gradients with noise and flat areas, like the benchmarks' title-screen picture."""
    y, x = np.mgrid[0:height, 0:width]
    noise = np.random.default_rng(12345).integers(0, 8, (height, width))
    flat = ((x // 64) + (y // 48)) % 3 == 0
    pixels = np.zeros((height, width, 4), np.uint8)
    pixels[..., 0] = np.where(flat, 40, x * 255 // width + noise)
    pixels[..., 1] = np.where(flat, 90, y * 255 // height + noise)
    pixels[..., 2] = np.where(flat, 160, (x + y) * 255 // (width + height) + noise)
    return pixels


def zoom_cases(folder):
    """(name, width, height, out_width, out_height) for each line of zoom-cases.txt."""
    cases = []
    for line in (folder / "zoom-cases.txt").read_text().splitlines():
        name, *sizes = line.split()
        cases.append((name, *map(int, sizes)))
    return cases


def peers(name, width, height, out_width, out_height):
    """(name, call) pairs for one case; each call makes a new picture."""
    pixels = make_picture(width, height)
    image = Image.frombuffer("RGBX", (width, height), pixels.tobytes(), "raw", "RGBX", 0, 1)
    size = (out_width, out_height)
    result = [
        (f"{name}_pillow", lambda: image.resize(size, Image.BILINEAR)),
        (f"{name}_opencv_linear", lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_LINEAR)),
    ]
    if out_width < width:
        result.append(
            (f"{name}_opencv_area", lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_AREA))
        )
    return result


def decoders(path):
    """Pillow decoding one TGA file from its bytes in memory, checked against the file's size."""
    data = path.read_bytes()
    width = data[12] | data[13] << 8
    height = data[14] | data[15] << 8

    def decode():
        image = Image.open(io.BytesIO(data))
        image.load()
        return image

    if decode().size != (width, height):
        sys.exit(f"Pillow misread {path}")
    return [(f"BM_Decode/{path.stem}_pillow", decode)]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: tools/bench-peers.py ROUNDS FOLDER")
    rounds = int(sys.argv[1])
    folder = pathlib.Path(sys.argv[2])
    print(f"# Pillow {Image.__version__}, OpenCV {cv2.__version__} on {cv2.getNumThreads()} threads")
    groups = [decoders(path) for path in sorted(folder.glob("*.tga"))]
    groups += [peers(*case) for case in zoom_cases(folder)]
    for timed in groups:
        times = {name: [] for name, _ in timed}
        for _, call in timed:
            call()  # the first call pays for caches and thread pools
        for _ in range(rounds):
            for name, call in timed:
                start = time.perf_counter()
                call()
                times[name].append((time.perf_counter() - start) * 1000.0)
        for name, samples in times.items():
            samples.sort()
            print(f"{name:<48} {samples[len(samples) // 2]:9.3f} ms")


if __name__ == "__main__":
    main()
