// Portable and SSE2 row conversions. SSE2 is the baseline of every x86 build, so this file needs
// no flags of its own.
#include "picture/TgaRows.h"

#include "picture/TgaRowLoops.h"

#include <cstring>

#ifdef LUMBREL_X86
#include <emmintrin.h>
#endif

namespace tga_rows {
namespace {

std::uint32_t Load32(const std::uint8_t* bytes)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
}

void Store32(std::uint8_t* bytes, std::uint32_t value)
{
    std::memcpy(bytes, &value, 4);
}

} // namespace

// Four stored pixels are three 32-bit words. Little-endian only, as every Windows target is.
void PortableExpand24(const std::uint8_t* stored, std::uint8_t* pixels, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4, stored += 12, pixels += 16) {
        const std::uint32_t w0 = Load32(stored);
        const std::uint32_t w1 = Load32(stored + 4);
        const std::uint32_t w2 = Load32(stored + 8);
        Store32(pixels, w0 & 0xFFFFFF);
        Store32(pixels + 4, (w0 >> 24 | w1 << 8) & 0xFFFFFF);
        Store32(pixels + 8, (w1 >> 16 | w2 << 16) & 0xFFFFFF);
        Store32(pixels + 12, w2 >> 8);
    }
    for (; i < count; ++i, stored += 3, pixels += 4) {
        pixels[0] = stored[0];
        pixels[1] = stored[1];
        pixels[2] = stored[2];
        pixels[3] = 0;
    }
}

void PortableRepeat(const std::uint8_t* pixel, std::uint8_t* pixels, std::size_t count)
{
    const std::uint64_t one = Load32(pixel);
    const std::uint64_t two = one | one << 32;
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2)
        std::memcpy(pixels + i * 4, &two, 8);
    if (i < count)
        std::memcpy(pixels + i * 4, pixel, 4);
}

namespace {

struct PortableSteps {
    static void Expand16(const std::uint8_t* stored, std::uint8_t* pixels)
    {
        PortableExpand24(stored, pixels, 16);
    }
    static void Fill16(std::uint32_t pixel, std::uint8_t* pixels)
    {
        std::uint8_t bytes[4];
        Store32(bytes, pixel);
        PortableRepeat(bytes, pixels, 16);
    }
};

} // namespace

const RowSet& PortableRows()
{
    static constexpr RowSet rows{PortableExpand24, PortableRepeat, RunLength24<PortableSteps>};
    return rows;
}

#ifdef LUMBREL_X86
namespace {

// The 4 stored pixels in bytes 0 to 11 as 4-byte pixels: each shifted down to the start of a
// 32-bit lane, and the lanes gathered.
__m128i ExpandFour(__m128i stored)
{
    const __m128i low = _mm_unpacklo_epi32(stored, _mm_srli_si128(stored, 3));
    const __m128i high = _mm_unpacklo_epi32(_mm_srli_si128(stored, 6), _mm_srli_si128(stored, 9));
    return _mm_and_si128(_mm_unpacklo_epi64(low, high), _mm_set1_epi32(0xFFFFFF));
}

struct Sse2Steps : VectorFill {
    // Three loads read exactly the 48 bytes; the middle groups straddle two of them.
    static void Expand16(const std::uint8_t* stored, std::uint8_t* pixels)
    {
        const __m128i a = Load128(stored);
        const __m128i b = Load128(stored + 16);
        const __m128i c = Load128(stored + 32);
        Store128(pixels, ExpandFour(a));
        Store128(pixels + 16,
                 ExpandFour(_mm_or_si128(_mm_srli_si128(a, 12), _mm_slli_si128(b, 4))));
        Store128(pixels + 32, ExpandFour(_mm_or_si128(_mm_srli_si128(b, 8), _mm_slli_si128(c, 8))));
        Store128(pixels + 48, ExpandFour(_mm_srli_si128(c, 4)));
    }
};

// Four pixels a store; the last store may overlap the one before it rather than pass the end.
void Sse2Repeat(const std::uint8_t* pixel, std::uint8_t* pixels, std::size_t count)
{
    if (count < 4) {
        PortableRepeat(pixel, pixels, count);
        return;
    }
    const __m128i four = _mm_set1_epi32(static_cast<int>(Load32(pixel)));
    std::uint8_t* const last = pixels + (count - 4) * 4;
    for (; pixels < last; pixels += 16)
        Store128(pixels, four);
    Store128(last, four);
}

} // namespace

const RowSet& Sse2Rows()
{
    static constexpr RowSet rows{Expand24<Sse2Steps>, Sse2Repeat, RunLength24<Sse2Steps>};
    return rows;
}
#endif

} // namespace tga_rows
