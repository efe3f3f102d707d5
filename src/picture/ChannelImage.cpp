// Channel images: creating, releasing and resampling their planes.
#include "picture/ChannelImage.h"

#include "picture/ZoomEngine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int kBluePlane = 0;
constexpr int kGreenPlane = 1;
constexpr int kRedPlane = 2;
constexpr int kAlphaPlane = 3;
constexpr int kExtraPlane = 4;

void* AllocateWithMalloc(std::size_t bytes)
{
    return std::malloc(bytes); // NOLINT(cppcoreguidelines-no-malloc): planes are freed with free()
}

// Bytes of one plane, or -1 when the size is negative or the plane could not be addressed (the
// product is taken in 64 bits: two 32-bit sizes overflow 32 bits easily).
std::int64_t PlaneBytes(std::int32_t width, std::int32_t height)
{
    if (width < 0 || height < 0)
        return -1;
    const std::int64_t bytes = std::int64_t{width} * std::int64_t{height};
    if (bytes > std::numeric_limits<std::ptrdiff_t>::max())
        return -1;
    return bytes;
}

// Allocates one plane filled with value. An empty plane still gets a block of its own, so that a
// requested plane is never null after success.
std::uint8_t* AllocatePlane(std::int64_t bytes, std::uint8_t value, PlaneAllocator allocate)
{
    if (bytes < 0)
        return nullptr;
    const auto size = static_cast<std::size_t>(bytes);
    auto* plane = static_cast<std::uint8_t*>(allocate(size == 0 ? 1 : size));
    if (plane != nullptr)
        std::memset(plane, value, size);
    return plane;
}

bool AllocateInto(ChannelImage& image, int plane, std::int64_t bytes, std::uint8_t value,
                  PlaneAllocator allocate)
{
    image.planes[plane] = AllocatePlane(bytes, value, allocate);
    return image.planes[plane] != nullptr;
}

} // namespace

int CreateChannelImage(ChannelImage* image, std::int32_t width, std::int32_t height,
                       std::uint8_t colour, std::uint8_t alpha, std::uint8_t extra)
{
    return CreateChannelImage(image, width, height, colour, alpha, extra, AllocateWithMalloc);
}

int CreateChannelImage(ChannelImage* image, std::int32_t width, std::int32_t height,
                       std::uint8_t colour, std::uint8_t alpha, std::uint8_t extra,
                       PlaneAllocator allocate)
{
    if (image == nullptr)
        return kChannelNullRecord;
    *image = ChannelImage{{}, colour, alpha, extra, width, height};
    const std::int64_t bytes = PlaneBytes(width, height);
    if (extra != 0 && !AllocateInto(*image, kExtraPlane, bytes, 0, allocate))
        return kChannelAllocationFailed;
    if (alpha != 0 && !AllocateInto(*image, kAlphaPlane, bytes, 255, allocate))
        return kChannelAllocationFailed;
    if (colour != 0) {
        for (const int plane : {kBluePlane, kGreenPlane, kRedPlane}) {
            if (!AllocateInto(*image, plane, bytes, 0, allocate))
                return kChannelAllocationFailed;
        }
    }
    return kChannelOk;
}

int FreeChannelImage(ChannelImage* image)
{
    if (image == nullptr)
        return kChannelNullRecord;
    for (std::uint8_t*& plane : image->planes) {
        std::free(plane); // NOLINT(cppcoreguidelines-no-malloc): see AllocateWithMalloc
        plane = nullptr;
    }
    return kChannelOk;
}

int ResampleChannels(const ChannelImage* source, std::uint32_t filterCode, std::uint16_t mask,
                     ChannelImage* destination)
{
    if (source == nullptr || destination == nullptr)
        return kChannelNullRecord;
    for (int plane = 0; plane < kChannelPlaneCount; ++plane) {
        const bool selected = (mask & (1U << plane)) != 0;
        if (!selected || source->planes[plane] == nullptr || destination->planes[plane] == nullptr)
            continue;
        ZoomSamples(source->planes[plane], source->width, source->height,
                    destination->planes[plane], destination->width, destination->height, 1,
                    filterCode);
    }
    return kChannelOk;
}
