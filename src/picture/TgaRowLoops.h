// The loops of the row conversions, written once over an instruction set's steps of 16 pixels.
// Each instruction-set file instantiates them with its own steps. They are in an unnamed
// namespace so that every file gets a copy of its own: a copy built with one file's flags must
// never stand in for another's.
//
// Steps provides:
//   static void Expand16(const std::uint8_t* stored, std::uint8_t* pixels);
//     16 stored 24-bit pixels (exactly 48 bytes) into 16 4-byte pixels, fourth byte 0;
//   static void Fill16(std::uint32_t pixel, std::uint8_t* pixels);
//     16 copies of the pixel.
#pragma once

#include "picture/TgaRows.h"

#include <cstddef>
#include <cstdint>

#ifdef LUMBREL_X86
#include <emmintrin.h>
#endif

namespace tga_rows {
namespace {

#ifdef LUMBREL_X86
inline __m128i Load128(const std::uint8_t* bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

inline void Store128(std::uint8_t* bytes, __m128i value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
}

// The fill step of every x86 set.
struct VectorFill {
    static void Fill16(std::uint32_t pixel, std::uint8_t* pixels)
    {
        const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
        for (std::size_t i = 0; i < 4; ++i)
            Store128(pixels + i * 16, four);
    }
};
#endif

template <class Steps>
void Expand24(const std::uint8_t* stored, std::uint8_t* pixels, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16, stored += 48, pixels += 64)
        Steps::Expand16(stored, pixels);
    PortableExpand24(stored, pixels, count - i);
}

// Every packet is written in whole steps of 16 pixels, so one may spill up to 15 pixels past its
// end, which the packets after it overwrite. Packets are taken only while their steps stay within
// the row, and the spill of the last is cleared again, so the row beyond the pixels done is
// left zero.
template <class Steps>
std::size_t RunLength24(const std::uint8_t*& stored, const std::uint8_t* end, std::uint8_t* row,
                        std::size_t width)
{
    const std::uint8_t* packet = stored;
    std::size_t done = 0;
    while (done < width && static_cast<std::size_t>(end - packet) >= kLongestPacket24) {
        const unsigned header = packet[0];
        const std::size_t count = (header & 0x7Fu) + 1;
        const std::size_t steps = (count + 15) / 16;
        if (done + steps * 16 > width)
            break;
        std::uint8_t* pixels = row + done * 4;
        if (header & 0x80) {
            const std::uint32_t pixel =
                packet[1] | std::uint32_t{packet[2]} << 8 | std::uint32_t{packet[3]} << 16;
            for (std::size_t step = 0; step < steps; ++step)
                Steps::Fill16(pixel, pixels + step * 64);
            packet += 4;
        } else {
            for (std::size_t step = 0; step < steps; ++step)
                Steps::Expand16(packet + 1 + step * 48, pixels + step * 64);
            packet += 1 + count * 3;
        }
        done += count;
    }
    const std::size_t spillEnd = done + 15 < width ? done + 15 : width;
    for (std::size_t byte = done * 4; byte < spillEnd * 4; ++byte)
        row[byte] = 0;
    stored = packet;
    return done;
}

} // namespace
} // namespace tga_rows
