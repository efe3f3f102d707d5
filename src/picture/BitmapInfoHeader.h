// The header that describes a picture's pixels to GDI, with the layout of BITMAPINFOHEADER, so
// portable code can fill it and the Win32 side can hand it to GDI as it is.
#pragma once

#include <cstdint>

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight; // positive: rows stored bottom-up
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

inline constexpr uint32_t kBiRgb = 0; // BI_RGB: uncompressed
