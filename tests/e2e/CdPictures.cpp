#include "CdPictures.h"

#include <cstdio>
#include <stdexcept>

TestPicture QuadrantPicture(int width, int height)
{
    static constexpr Rgb kColours[] = {{200, 40, 40}, {40, 180, 60}, {50, 70, 210}, {230, 210, 40}};
    TestPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(kColours[(y >= height / 2) * 2 + (x >= width / 2)]);
    return picture;
}

TestPicture RampPicture(int width, int height)
{
    TestPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back({static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                      static_cast<std::uint8_t>(y * 255 / (height - 1)),
                                      static_cast<std::uint8_t>((x * 7 + y * 13) % 256)});
    return picture;
}

void WriteTga(const std::string& path, const TestPicture& picture)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    const std::uint8_t header[18] = {0,
                                     0,
                                     2,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     static_cast<std::uint8_t>(picture.width),
                                     static_cast<std::uint8_t>(picture.width >> 8),
                                     static_cast<std::uint8_t>(picture.height),
                                     static_cast<std::uint8_t>(picture.height >> 8),
                                     24,
                                     0};
    std::fwrite(header, 1, sizeof header, file);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            const Rgb p = picture.At(x, y);
            const std::uint8_t bgr[3] = {p.blue, p.green, p.red};
            std::fwrite(bgr, 1, sizeof bgr, file);
        }
    std::fclose(file);
}
