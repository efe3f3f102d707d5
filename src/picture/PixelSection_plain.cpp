// Pixel sections as zero-filled heap blocks: the block is both the handle and the pixels.
#include "picture/PixelSection.h"

#include <cstdlib>

PixelSection::PixelSection(const BitmapInfoHeader& header)
{
    const auto bytes = static_cast<size_t>(header.biWidth) * static_cast<size_t>(header.biHeight) *
                       (header.biBitCount / 8u);
    m_Handle = std::calloc(bytes, 1);
    m_Bits = static_cast<uint8_t*>(m_Handle);
}

void PixelSection::Release(void* handle)
{
    std::free(handle);
}
