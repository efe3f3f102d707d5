#include "PngPreview.h"

#include "picture/tga.h"

#include <stb/stb_image_write.h>

#include <cstddef>
#include <cstdint>
#include <vector>

bool WritePngPreview(const CTga& picture, const std::filesystem::path& path)
{
    const auto width = static_cast<size_t>(picture.Width());
    const auto height = static_cast<size_t>(picture.Height());
    std::vector<uint8_t> rgb(width * height * 3);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* source = picture.Bits() + (height - 1 - y) * width * 4;
        uint8_t* target = rgb.data() + y * width * 3;
        for (size_t x = 0; x < width; ++x) {
            target[x * 3] = source[x * 4 + 2];
            target[x * 3 + 1] = source[x * 4 + 1];
            target[x * 3 + 2] = source[x * 4];
        }
    }
    return stbi_write_png(path.c_str(), picture.Width(), picture.Height(), 3, rgb.data(),
                          picture.Width() * 3) != 0;
}
