// The TGA decoder's inner loops, one set per instruction set: stored pixels converted to the
// picture's 4-byte pixels 16 at a time, and run-length packets decoded with wide stores.
//
// The instruction-set files are compiled with their own target flags, so this header holds only
// plain types (see ZoomKernels.h for why).
#pragma once

#include "picture/ProcessorFeatures.h"

#include <cstddef>
#include <cstdint>

namespace tga_rows {

// Bytes a run-length packet of 24-bit pixels may take: its header and 128 stored pixels.
inline constexpr std::size_t kLongestPacket24 = 1 + 128 * 3;

struct RowSet {
    // Converts `count` stored 24-bit pixels (3 bytes each) into 4-byte pixels, fourth byte 0.
    // Reads exactly count x 3 bytes.
    void (*expand24)(const std::uint8_t* stored, std::uint8_t* pixels, std::size_t count);

    // Writes `count` copies of the 4-byte pixel `pixel` from `pixels` on.
    void (*repeat)(const std::uint8_t* pixel, std::uint8_t* pixels, std::size_t count);

    // Decodes run-length packets of 24-bit pixels into an all-zero row of `width` pixels from its
    // start, for as long as the longest packet would still lie before `end` and the packet at hand
    // ends well within the row. Returns the pixels of the row done and moves `stored` past the
    // packets decoded; the rest of the row is still zero, and the packets left (the last ones of
    // the row, one that does not fit, or any near the end of the file) are for the caller to
    // decode with every check.
    std::size_t (*runLength24)(const std::uint8_t*& stored, const std::uint8_t* end,
                               std::uint8_t* row, std::size_t width);
};

// Plain C++, for any processor. The wider sets use the same functions for what their vectors
// leave over, and the decoder for packets too short to gain from vectors.
const RowSet& PortableRows();
void PortableExpand24(const std::uint8_t* stored, std::uint8_t* pixels, std::size_t count);
void PortableRepeat(const std::uint8_t* pixel, std::uint8_t* pixels, std::size_t count);

#ifdef LUMBREL_X86
const RowSet& Sse2Rows();
const RowSet& Ssse3Rows();
#endif

} // namespace tga_rows
