#include "BenchPictures.h"

#include <cstring>

namespace {

std::vector<uint8_t> TgaHeader(uint8_t imageType, int width, int height)
{
    return {0,
            0,
            imageType,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            static_cast<uint8_t>(width),
            static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height),
            static_cast<uint8_t>(height >> 8),
            24,
            0};
}

bool SamePixel(const uint8_t* a, const uint8_t* b)
{
    return std::memcmp(a, b, 3) == 0;
}

// Longest run of equal pixels starting at x, within the row and at most 128.
size_t RunLength(const uint8_t* row, size_t x, size_t width)
{
    size_t n = 1;
    while (x + n < width && n < 128 && SamePixel(row + 3 * x, row + 3 * (x + n)))
        ++n;
    return n;
}

} // namespace

std::vector<uint8_t> MakeBenchPicture24(int width, int height)
{
    std::vector<uint8_t> bgr(size_t(width) * size_t(height) * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &bgr[(size_t(y) * size_t(width) + size_t(x)) * 3];
            noise = noise * 1664525u + 1013904223u;
            const bool flat = ((x / 64) + (y / 48)) % 3 == 0;
            const uint8_t grain = flat ? 0 : static_cast<uint8_t>(noise >> 29);
            p[0] = static_cast<uint8_t>(flat ? 40 : x * 255 / width + grain);
            p[1] = static_cast<uint8_t>(flat ? 90 : y * 255 / height + grain);
            p[2] = static_cast<uint8_t>(flat ? 160 : (x + y) * 255 / (width + height) + grain);
        }
    }
    return bgr;
}

std::vector<uint8_t> EncodeTgaRaw24(const std::vector<uint8_t>& bgr, int width, int height)
{
    std::vector<uint8_t> file = TgaHeader(2, width, height);
    file.insert(file.end(), bgr.begin(), bgr.end());
    return file;
}

std::vector<uint8_t> EncodeTgaRle24(const std::vector<uint8_t>& bgr, int width, int height)
{
    std::vector<uint8_t> file = TgaHeader(10, width, height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &bgr[size_t(y) * size_t(width) * 3];
        for (size_t x = 0; x < size_t(width);) {
            const size_t run = RunLength(row, x, size_t(width));
            if (run > 1) {
                file.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                file.insert(file.end(), row + 3 * x, row + 3 * x + 3);
                x += run;
                continue;
            }
            // A raw packet up to the next run of two or more.
            size_t n = 1;
            while (x + n < size_t(width) && n < 128 && RunLength(row, x + n, size_t(width)) == 1)
                ++n;
            file.push_back(static_cast<uint8_t>(n - 1));
            file.insert(file.end(), row + 3 * x, row + 3 * (x + n));
            x += n;
        }
    }
    return file;
}
