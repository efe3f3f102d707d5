// SSE2 kernels: blocks of 8 lines, four vectors of two doubles (i686 has only eight vector
// registers). SSE2 is the baseline of every x86 build, so this file needs no flags of its own.
#include "picture/ZoomKernels.h"

#ifdef LUMBREL_ZOOM_X86
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

constexpr std::int32_t kLanes = 8;

// Eight bytes (the low half of `bytes`) as eight doubles at out[0..7].
inline void StoreEight(double* out, __m128i bytes)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(bytes, zero);
    const __m128i low = _mm_unpacklo_epi16(words, zero);
    const __m128i high = _mm_unpackhi_epi16(words, zero);
    _mm_storeu_pd(out, _mm_cvtepi32_pd(low));
    _mm_storeu_pd(out + 2, _mm_cvtepi32_pd(_mm_srli_si128(low, 8)));
    _mm_storeu_pd(out + 4, _mm_cvtepi32_pd(high));
    _mm_storeu_pd(out + 6, _mm_cvtepi32_pd(_mm_srli_si128(high, 8)));
}

// Four 32-bit samples (lines l to l + 3 of one position) as four doubles at out[0..3].
inline void StoreFour(double* out, __m128i words)
{
    _mm_storeu_pd(out, _mm_cvtepi32_pd(words));
    _mm_storeu_pd(out + 2, _mm_cvtepi32_pd(_mm_srli_si128(words, 8)));
}

void LoadScalar(double* block, const std::uint8_t* const* lines, std::ptrdiff_t step,
                std::int32_t from, std::int32_t positions)
{
    for (std::int32_t p = from; p < positions; ++p) {
        for (std::int32_t l = 0; l < kLanes; ++l)
            block[p * kLanes + l] = lines[l][p * step];
    }
}

// Eight lines of packed bytes, 16 positions at a time, gathered by three rounds of unpacking.
std::int32_t LoadPacked(double* block, const std::uint8_t* const* lines, std::int32_t positions)
{
    std::int32_t p = 0;
    for (; p + 16 <= positions; p += 16) {
        __m128i a[8];
        for (int l = 0; l < 8; ++l)
            a[l] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l] + p));
        __m128i b[8];
        for (int k = 0; k < 4; ++k) {
            b[2 * k] = _mm_unpacklo_epi8(a[2 * k], a[2 * k + 1]);
            b[2 * k + 1] = _mm_unpackhi_epi8(a[2 * k], a[2 * k + 1]);
        }
        __m128i c[8];
        for (int k = 0; k < 2; ++k) {
            for (int h = 0; h < 2; ++h) {
                const __m128i x = b[4 * k + h];
                const __m128i y = b[4 * k + 2 + h];
                c[4 * k + 2 * h] = _mm_unpacklo_epi16(x, y);
                c[4 * k + 2 * h + 1] = _mm_unpackhi_epi16(x, y);
            }
        }
        // c[0..3]: positions 0-3, 4-7, 8-11, 12-15 of lines 0-3; c[4..7]: of lines 4-7.
        for (int q = 0; q < 4; ++q) {
            const __m128i pairs[2] = {_mm_unpacklo_epi32(c[q], c[4 + q]),
                                      _mm_unpackhi_epi32(c[q], c[4 + q])};
            for (int h = 0; h < 2; ++h) {
                double* out = block + (p + 4 * q + 2 * h) * kLanes;
                StoreEight(out, pairs[h]);
                StoreEight(out + kLanes, _mm_srli_si128(pairs[h], 8));
            }
        }
    }
    return p;
}

// One byte of 4-byte pixels, four positions at a time; each group of four lines is transposed
// as 32-bit words. A load takes 16 bytes from the line's byte onwards, so it stops while a
// whole pixel follows the last one it uses.
std::int32_t LoadPixels(double* block, const std::uint8_t* const* lines, std::int32_t positions)
{
    const __m128i mask = _mm_set1_epi32(0xFF);
    std::int32_t p = 0;
    for (; p + 5 <= positions; p += 4) {
        for (int group = 0; group < kLanes / 4; ++group) {
            __m128i v[4];
            for (int l = 0; l < 4; ++l)
                v[l] = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                         lines[group * 4 + l] + p * 4)),
                                     mask);
            const __m128i t0 = _mm_unpacklo_epi32(v[0], v[1]);
            const __m128i t1 = _mm_unpackhi_epi32(v[0], v[1]);
            const __m128i t2 = _mm_unpacklo_epi32(v[2], v[3]);
            const __m128i t3 = _mm_unpackhi_epi32(v[2], v[3]);
            double* out = block + p * kLanes + group * 4;
            StoreFour(out, _mm_unpacklo_epi64(t0, t2));
            StoreFour(out + kLanes, _mm_unpackhi_epi64(t0, t2));
            StoreFour(out + 2 * kLanes, _mm_unpacklo_epi64(t1, t3));
            StoreFour(out + 3 * kLanes, _mm_unpackhi_epi64(t1, t3));
        }
    }
    return p;
}

void LoadLines(double* block, const std::uint8_t* const* lines, std::ptrdiff_t step,
               std::int32_t positions)
{
    std::int32_t done = 0;
    if (step == 1)
        done = LoadPacked(block, lines, positions);
    else if (step == 4)
        done = LoadPixels(block, lines, positions);
    LoadScalar(block, lines, step, done, positions);
}

void LoadAcross(double* block, const std::uint8_t* first, std::ptrdiff_t stride,
                std::int32_t positions)
{
    for (std::int32_t p = 0; p < positions; ++p)
        StoreEight(block + p * kLanes,
                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(first + p * stride)));
}

// + 0.5, clamped to 0..255 (a NaN becomes 0), truncated; the two results in the low words.
inline __m128i ToSamples(__m128d acc)
{
    const __m128d v = _mm_add_pd(acc, _mm_set1_pd(0.5));
    return _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), _mm_set1_pd(255.0)));
}

void Filter(const Taps& taps, std::int32_t begin, std::int32_t end, const double* block,
            std::uint8_t* out)
{
    for (std::int32_t i = begin; i < end; ++i) {
        __m128d a0 = _mm_setzero_pd();
        __m128d a1 = _mm_setzero_pd();
        __m128d a2 = _mm_setzero_pd();
        __m128d a3 = _mm_setzero_pd();
        for (std::int32_t t = taps.first[i]; t < taps.first[i + 1]; ++t) {
            const __m128d w = _mm_load1_pd(taps.weight + t);
            const double* s = block + taps.offset[t];
            a0 = _mm_add_pd(a0, _mm_mul_pd(_mm_loadu_pd(s), w));
            a1 = _mm_add_pd(a1, _mm_mul_pd(_mm_loadu_pd(s + 2), w));
            a2 = _mm_add_pd(a2, _mm_mul_pd(_mm_loadu_pd(s + 4), w));
            a3 = _mm_add_pd(a3, _mm_mul_pd(_mm_loadu_pd(s + 6), w));
        }
        const __m128i low = _mm_unpacklo_epi64(ToSamples(a0), ToSamples(a1));
        const __m128i high = _mm_unpacklo_epi64(ToSamples(a2), ToSamples(a3));
        const __m128i words = _mm_packs_epi32(low, high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (i - begin) * kLanes),
                         _mm_packus_epi16(words, words));
    }
}

constexpr KernelSet kSse2{kLanes, LoadLines, LoadAcross, Filter};

} // namespace

const KernelSet& Sse2Kernels()
{
    return kSse2;
}

} // namespace zoom_kernels
#endif
