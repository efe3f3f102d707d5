#!/usr/bin/python3
"""Times the peers of the zoom benchmarks on the same cases: Pillow's and OpenCV's resize of a
picture of 4-byte pixels (the layout the launcher's pictures have), each a new picture per call.
Their filters differ from ours, so only speed is compared. Like the other timing programs, the
peers run in turn, round after round, and the median of each is reported, in milliseconds.

Usage: tools/bench-peers.py [rounds]     (Debian's python3 with python3-pil and python3-opencv)
"""
import sys
import time

import cv2
import numpy as np
from PIL import Image

CASES = [
    ("BM_Rescale", 1920, 1080, 378, 244),
    ("BM_Rescale", 640, 480, 378, 244),
    ("BM_Enlarge", 320, 200, 1920, 1080),
]


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


def peers(family, width, height, out_width, out_height):
    """(name, call) pairs for one case; each call makes a new picture."""
    pixels = make_picture(width, height)
    image = Image.frombuffer("RGBX", (width, height), pixels.tobytes(), "raw", "RGBX", 0, 1)
    size = (out_width, out_height)
    name = f"{family}/{width}x{height}_to_{out_width}x{out_height}"
    result = [
        (f"{name}_pillow", lambda: image.resize(size, Image.BILINEAR)),
        (f"{name}_opencv_linear", lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_LINEAR)),
    ]
    if out_width < width:
        result.append(
            (f"{name}_opencv_area", lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_AREA))
        )
    return result


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 21
    print(f"# Pillow {Image.__version__}, OpenCV {cv2.__version__} on {cv2.getNumThreads()} threads")
    for case in CASES:
        timed = peers(*case)
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
