// Channel images: up to five byte planes of one size, resampled plane by plane. They are the
// plain, step-by-step route that defines a rescale's result (CTga::RescaleInto zooms the pixels
// where they lie), and the tests check the fast paths against it byte for byte. Keep them plain.
#pragma once

#include <cstddef>
#include <cstdint>

// Statuses of the channel-image operations.
inline constexpr int kChannelOk = 0;
inline constexpr int kChannelAllocationFailed = 1;
inline constexpr int kChannelNullRecord = 7;

inline constexpr int kChannelPlaneCount = 5;

// Planes 0, 1 and 2 hold bytes 0, 1 and 2 of a picture's pixels (blue, green, red), plane 3 an
// alpha that starts at 255, plane 4 an extra plane. A plane is null or one block of
// width x height bytes, rows following each other with no gap, and belongs to the record.
struct ChannelImage {
    std::uint8_t* planes[kChannelPlaneCount];
    std::uint8_t hasColour;
    std::uint8_t hasAlpha;
    std::uint8_t hasExtra;
    std::int32_t width;
    std::int32_t height;
};

// Where plane memory comes from: returns a block that free() releases, or null on failure.
using PlaneAllocator = void* (*)(std::size_t bytes);

// Allocates the requested planes (extra, then alpha, then the three colour planes) and sets them
// to their starting values. On failure the planes allocated so far stay in the record, so that
// FreeChannelImage releases exactly those. A negative size, or one whose planes could not be
// addressed, fails like an allocation.
int CreateChannelImage(ChannelImage* image, std::int32_t width, std::int32_t height,
                       std::uint8_t colour, std::uint8_t alpha, std::uint8_t extra);
int CreateChannelImage(ChannelImage* image, std::int32_t width, std::int32_t height,
                       std::uint8_t colour, std::uint8_t alpha, std::uint8_t extra,
                       PlaneAllocator allocate);

// Releases every plane and sets its pointer to null, so releasing a record twice is harmless.
int FreeChannelImage(ChannelImage* image);

// Not called by the launcher, whose rescale zooms interleaved pixels in one pass; kept because
// the channel-image interface has always offered it, and its tests pin what it did.
// Resizes each plane named in mask (bits 1, 2, 4, 8, 16 in that order; higher bits are ignored)
// from the source's size to the destination's with the zoom engine's selector filterCode. A plane
// missing from either record is skipped.
int ResampleChannels(const ChannelImage* source, std::uint32_t filterCode, std::uint16_t mask,
                     ChannelImage* destination);
