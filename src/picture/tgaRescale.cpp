// Rescaling a picture colour by colour through channel images and the zoom engine.
#include "picture/ChannelImage.h"
#include "picture/tga.h"

namespace {

// Not one of the zoom engine's named filters: it selects its default, the Hermite cubic.
constexpr std::uint32_t kDefaultFilter = 5;
constexpr std::uint16_t kColourPlanes = kPlaneBlue | kPlaneGreen | kPlaneRed;

size_t PixelCount(const ChannelImage& image)
{
    return static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

} // namespace

int CTga::ToChannelImage(ChannelImage* image) const
{
    if (IsEmpty() || CreateChannelImage(image, Width(), Height(), 1, 0, 0) != kChannelOk)
        return 0;
    const size_t count = PixelCount(*image);
    for (size_t p = 0; p < count; ++p) {
        image->planes[0][p] = m_pBits[p * 4];
        image->planes[1][p] = m_pBits[p * 4 + 1];
        image->planes[2][p] = m_pBits[p * 4 + 2];
    }
    return 1;
}

int CTga::FromChannelImage(const ChannelImage* image)
{
    Clear();
    if (!image || CreatePixels(image->width, image->height) != 1 || !m_pBits)
        return 0;
    const size_t count = PixelCount(*image);
    for (size_t p = 0; p < count; ++p) {
        m_pBits[p * 4] = image->planes[0][p];
        m_pBits[p * 4 + 1] = image->planes[1][p];
        m_pBits[p * 4 + 2] = image->planes[2][p];
    }
    return 1;
}

void CTga::RescaleInto(CTga& destination)
{
    ChannelImage source{};
    ChannelImage scaled{};
    if (!destination.IsEmpty() && ToChannelImage(&source) &&
        CreateChannelImage(&scaled, destination.Width(), destination.Height(), 1, 0, 0) ==
            kChannelOk) {
        ResampleChannels(&source, kDefaultFilter, kColourPlanes, &scaled);
        destination.FromChannelImage(&scaled);
        FromChannelImage(&source);
    }
    FreeChannelImage(&source);
    FreeChannelImage(&scaled);
}
