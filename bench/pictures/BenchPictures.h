// Test pictures for the benchmarks, and TGA files of them.
#pragma once

#include <cstdint>
#include <vector>

// A 24-bit picture, 3 bytes a pixel (blue, green, red), rows bottom-up as TGA stores them. Like a
// rendered title screen: smooth gradients with noise, and flat areas that compress well.
std::vector<uint8_t> MakeBenchPicture24(int width, int height);

// TGA files of the picture: type 2 (uncompressed) and type 10 (run-length encoded, packets
// within rows), origin bottom-left.
std::vector<uint8_t> EncodeTgaRaw24(const std::vector<uint8_t>& bgr, int width, int height);
std::vector<uint8_t> EncodeTgaRle24(const std::vector<uint8_t>& bgr, int width, int height);
