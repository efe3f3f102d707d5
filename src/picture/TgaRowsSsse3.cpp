// SSSE3 row conversions: one byte shuffle turns 4 stored 24-bit pixels into 4-byte pixels. Built
// with SSSE3 enabled and chosen only on processors that have it.
#include "picture/TgaRowLoops.h"
#include "picture/TgaRows.h"

#ifdef LUMBREL_X86
#include <tmmintrin.h>

namespace tga_rows {
namespace {

struct Ssse3Steps : VectorFill {
    // Three loads read exactly the 48 bytes; the shuffle's -1 entries write the fourth bytes.
    static void Expand16(const std::uint8_t* stored, std::uint8_t* pixels)
    {
        const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
        const __m128i a = Load128(stored);
        const __m128i b = Load128(stored + 16);
        const __m128i c = Load128(stored + 32);
        Store128(pixels, _mm_shuffle_epi8(a, spread));
        Store128(pixels + 16, _mm_shuffle_epi8(_mm_alignr_epi8(b, a, 12), spread));
        Store128(pixels + 32, _mm_shuffle_epi8(_mm_alignr_epi8(c, b, 8), spread));
        Store128(pixels + 48, _mm_shuffle_epi8(_mm_srli_si128(c, 4), spread));
    }
};

} // namespace

const RowSet& Ssse3Rows()
{
    static const RowSet rows{Expand24<Ssse3Steps>, Sse2Rows().repeat, RunLength24<Ssse3Steps>};
    return rows;
}

} // namespace tga_rows
#endif
