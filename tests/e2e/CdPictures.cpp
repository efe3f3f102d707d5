#include "CdPictures.h"

#include "picture/PictureTrace.h"
#include "picture/tga.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
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

TestPicture ScaledPicture(const TestPicture& source, int width, int height)
{
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "tga", 0, file);
    WriteTga(file, source);
    // The driver's own pictures must not add to the launcher's trace file.
    SetPictureTraceFile("");
    CTga loaded;
    CTga shown;
    loaded.LoadTga(file);
    shown.CreateBlank(width, height);
    loaded.RescaleInto(shown);
    ::DeleteFileA(file);

    TestPicture scaled{width, height, {}};
    for (int y = 0; y < height; ++y) {
        // The picture's rows are stored bottom row first.
        const std::uint8_t* row = shown.Bits() + static_cast<size_t>(height - 1 - y) * width * 4;
        for (int x = 0; x < width; ++x)
            scaled.pixels.push_back({row[x * 4 + 2], row[x * 4 + 1], row[x * 4]});
    }
    return scaled;
}

size_t DifferingPixels(const TestPicture& a, const TestPicture& b)
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.pixels.size(), b.pixels.size());
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        differing += !(a.pixels[i] == b.pixels[i]);
    return differing;
}

void WriteTga(const std::string& path, const TestPicture& picture)
{
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
    std::string bytes(std::begin(header), std::end(header));
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            const Rgb p = picture.At(x, y);
            bytes +=
                {static_cast<char>(p.blue), static_cast<char>(p.green), static_cast<char>(p.red)};
        }
    std::ofstream file(path, std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
}
