#include "PngPreview.h"

#include "common/OutputFile.h"
#include "picture/tga.h"

#include <stb/stb_image_write.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void AppendTo(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    const auto* first = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), first, first + size);
}

} // namespace

std::error_code WritePngPreview(const CTga& picture, const std::filesystem::path& path)
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
    std::vector<uint8_t> png;
    if (stbi_write_png_to_func(AppendTo, &png, picture.Width(), picture.Height(), 3, rgb.data(),
                               picture.Width() * 3) == 0)
        return std::make_error_code(std::errc::not_enough_memory);
    return WriteWholeFile(path.c_str(), {png}, SpecialOutput::Replaced);
}
