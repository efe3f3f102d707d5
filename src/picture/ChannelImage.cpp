// Channel images: creating, releasing and resampling their planes.
#include "picture/ChannelImage.h"

#include "picture/BlockSize.h"
#include "picture/ZoomEngine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

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

// Allocates one plane filled with value; null for a size that is negative or that could not be
// addressed. An empty plane still gets a block of its own, so that a requested plane is never
// null after success.
std::uint8_t* AllocatePlane(std::optional<std::size_t> bytes, std::uint8_t value,
                            PlaneAllocator allocate)
{
    if (!bytes)
        return nullptr;
    const std::size_t size = *bytes;
    auto* plane = static_cast<std::uint8_t*>(allocate(size == 0 ? 1 : size));
    if (plane != nullptr)
        std::memset(plane, value, size);
    return plane;
}

bool AllocateInto(ChannelImage& image, int plane, std::optional<std::size_t> bytes,
                  std::uint8_t value, PlaneAllocator allocate)
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
    const std::optional<std::size_t> bytes = BlockElements(width, height);
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
