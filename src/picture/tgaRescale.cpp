// Rescaling a picture. RescaleInto zooms one picture into another in one pass over the pixels
// where they lie. The conversions to and from channel images are the plain, step-by-step route:
// the tests' reference rescale goes through them, and RescaleInto is checked against it byte for
// byte. They are the definition of the result, not a route to speed up or remove.
#include "picture/ChannelImage.h"
#include "picture/ZoomEngine.h"
#include "picture/tga.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>

namespace {

size_t PixelCount(const ChannelImage& image)
{
    return static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

// A picture rescaled into itself keeps its colours; its fourth bytes become 0.
void ClearFourthBytes(uint8_t* pixels, size_t count)
{
    for (size_t p = 0; p < count; ++p)
        pixels[p * 4 + 3] = 0;
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

// The same result as the steps through channel images (colour planes of both pictures resampled
// one by one, then both pictures re-created from them), in one pass that reads the source pixels
// where they lie and writes the destination pixels whole. Both pictures are re-created at the
// sizes they have, so each keeps its storage: the zoom writes every destination pixel, and clears
// the source's fourth bytes as it reads them (the colours stay where they are).
void CTga::RescaleInto(CTga& destination)
{
    if (IsEmpty() || destination.IsEmpty())
        return;
    const int width = Width();
    const int height = Height();
    const int outWidth = destination.Width();
    const int outHeight = destination.Height();
    std::optional<PlannedZoom> zoom;
    try {
        const ZoomFilterChoice filter = FilterForSelector(kZoomRescaleSelector);
        zoom.emplace(width, height, outWidth, outHeight, 3, filter.filter, filter.support);
    } catch (const std::bad_alloc&) {
        return; // like channel images that cannot be had: nothing changes
    }

    destination.TraceRecreation();
    TraceRecreation();
    // A picture rescaled into itself ends as the source re-created last: its own colours.
    const std::ptrdiff_t pixel = 4;
    if (&destination != this)
        zoom->RunClearingFourthBytes(m_pBits, {width * pixel, pixel}, destination.m_pBits,
                                     {outWidth * pixel, pixel});
    else
        ClearFourthBytes(m_pBits, static_cast<size_t>(width) * static_cast<size_t>(height));
}
