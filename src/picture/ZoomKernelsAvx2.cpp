// AVX2 kernels: blocks of 16 lines, four vectors of four doubles. Compiled with -mavx2 but
// without -mfma, and with contraction off, so every product is rounded before it is added.
#include "picture/ZoomKernels.h"

#ifdef LUMBREL_ZOOM_X86
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

constexpr std::int32_t kLanes = 16;

// Eight bytes (the low half of `bytes`) as eight doubles at out[0..7].
inline void StoreEight(double* out, __m128i bytes)
{
    const __m256i words = _mm256_cvtepu8_epi32(bytes);
    _mm256_storeu_pd(out, _mm256_cvtepi32_pd(_mm256_castsi256_si128(words)));
    _mm256_storeu_pd(out + 4, _mm256_cvtepi32_pd(_mm256_extracti128_si256(words, 1)));
}

void LoadScalar(double* block, const std::uint8_t* const* lines, std::ptrdiff_t step,
                std::int32_t from, std::int32_t positions)
{
    for (std::int32_t p = from; p < positions; ++p) {
        for (std::int32_t l = 0; l < kLanes; ++l)
            block[p * kLanes + l] = lines[l][p * step];
    }
}

// Sixteen lines of packed bytes, 16 positions at a time: line l and line l + 8 share a register,
// three rounds of unpacking bring each position's eight lanes together in both halves.
std::int32_t LoadPacked(double* block, const std::uint8_t* const* lines, std::int32_t positions)
{
    std::int32_t p = 0;
    for (; p + 16 <= positions; p += 16) {
        __m256i a[8];
        for (int l = 0; l < 8; ++l) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l] + p));
            const __m128i high =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l + 8] + p));
            a[l] = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        }
        __m256i b[8];
        for (int k = 0; k < 4; ++k) {
            b[2 * k] = _mm256_unpacklo_epi8(a[2 * k], a[2 * k + 1]);
            b[2 * k + 1] = _mm256_unpackhi_epi8(a[2 * k], a[2 * k + 1]);
        }
        // b[0]: positions 0-7 of lines 0,1; b[1]: positions 8-15; b[2], b[3]: lines 2,3; ...
        __m256i c[8];
        for (int k = 0; k < 2; ++k) {
            for (int h = 0; h < 2; ++h) {
                const __m256i x = b[4 * k + h];
                const __m256i y = b[4 * k + 2 + h];
                c[4 * k + 2 * h] = _mm256_unpacklo_epi16(x, y);
                c[4 * k + 2 * h + 1] = _mm256_unpackhi_epi16(x, y);
            }
        }
        // c[0..3]: positions 0-3, 4-7, 8-11, 12-15 of lines 0-3; c[4..7]: of lines 4-7.
        for (int q = 0; q < 4; ++q) {
            const __m256i pairs[2] = {_mm256_unpacklo_epi32(c[q], c[4 + q]),
                                      _mm256_unpackhi_epi32(c[q], c[4 + q])};
            // pairs[h]: positions 4q + 2h and 4q + 2h + 1, lines 0-7 (low half) and 8-15 (high).
            for (int h = 0; h < 2; ++h) {
                const __m128i low = _mm256_castsi256_si128(pairs[h]);
                const __m128i high = _mm256_extracti128_si256(pairs[h], 1);
                double* out = block + (p + 4 * q + 2 * h) * kLanes;
                StoreEight(out, low);
                StoreEight(out + 8, high);
                StoreEight(out + kLanes, _mm_srli_si128(low, 8));
                StoreEight(out + kLanes + 8, _mm_srli_si128(high, 8));
            }
        }
    }
    return p;
}

// Four lines of 4-byte pixels, eight positions at a time: the wanted byte of each pixel is kept
// and a 4 x 4 transpose in each half gathers the four lines of a position.
void LoadPixelsOfFour(double* block, const std::uint8_t* const* lines, std::int32_t p)
{
    const __m256i mask = _mm256_set1_epi32(0xFF);
    __m256i v[4];
    for (int l = 0; l < 4; ++l)
        v[l] = _mm256_and_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lines[l] + p * 4)), mask);
    const __m256i t0 = _mm256_unpacklo_epi32(v[0], v[1]);
    const __m256i t1 = _mm256_unpackhi_epi32(v[0], v[1]);
    const __m256i t2 = _mm256_unpacklo_epi32(v[2], v[3]);
    const __m256i t3 = _mm256_unpackhi_epi32(v[2], v[3]);
    const __m256i q[4] = {_mm256_unpacklo_epi64(t0, t2), _mm256_unpackhi_epi64(t0, t2),
                          _mm256_unpacklo_epi64(t1, t3), _mm256_unpackhi_epi64(t1, t3)};
    // q[k]: position p + k (low half) and p + 4 + k (high half) of the four lines.
    for (int k = 0; k < 4; ++k) {
        _mm256_storeu_pd(block + (p + k) * kLanes, _mm256_cvtepi32_pd(_mm256_castsi256_si128(q[k])));
        _mm256_storeu_pd(block + (p + 4 + k) * kLanes,
                         _mm256_cvtepi32_pd(_mm256_extracti128_si256(q[k], 1)));
    }
}

// One byte of 4-byte pixels. A load takes 32 bytes from the line's byte onwards, so it stops
// while a whole pixel follows the last one it uses.
std::int32_t LoadPixels(double* block, const std::uint8_t* const* lines, std::int32_t positions)
{
    std::int32_t p = 0;
    for (; p + 9 <= positions; p += 8) {
        for (int group = 0; group < kLanes / 4; ++group)
            LoadPixelsOfFour(block + group * 4, lines + group * 4, p);
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
    for (std::int32_t p = 0; p < positions; ++p) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + p * stride));
        StoreEight(block + p * kLanes, bytes);
        StoreEight(block + p * kLanes + 8, _mm_srli_si128(bytes, 8));
    }
}

// + 0.5, clamped to 0..255 (a NaN becomes 0), truncated.
inline __m128i ToSamples(__m256d acc)
{
    const __m256d v = _mm256_add_pd(acc, _mm256_set1_pd(0.5));
    const __m256d clamped =
        _mm256_min_pd(_mm256_max_pd(v, _mm256_setzero_pd()), _mm256_set1_pd(255.0));
    return _mm256_cvttpd_epi32(clamped);
}

void Filter(const Taps& taps, std::int32_t begin, std::int32_t end, const double* block,
            std::uint8_t* out)
{
    for (std::int32_t i = begin; i < end; ++i) {
        __m256d a0 = _mm256_setzero_pd();
        __m256d a1 = _mm256_setzero_pd();
        __m256d a2 = _mm256_setzero_pd();
        __m256d a3 = _mm256_setzero_pd();
        for (std::int32_t t = taps.first[i]; t < taps.first[i + 1]; ++t) {
            const __m256d w = _mm256_broadcast_sd(taps.weight + t);
            const double* s = block + taps.offset[t];
            a0 = _mm256_add_pd(a0, _mm256_mul_pd(_mm256_loadu_pd(s), w));
            a1 = _mm256_add_pd(a1, _mm256_mul_pd(_mm256_loadu_pd(s + 4), w));
            a2 = _mm256_add_pd(a2, _mm256_mul_pd(_mm256_loadu_pd(s + 8), w));
            a3 = _mm256_add_pd(a3, _mm256_mul_pd(_mm256_loadu_pd(s + 12), w));
        }
        const __m128i low = _mm_packs_epi32(ToSamples(a0), ToSamples(a1));
        const __m128i high = _mm_packs_epi32(ToSamples(a2), ToSamples(a3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (i - begin) * kLanes),
                         _mm_packus_epi16(low, high));
    }
}

constexpr KernelSet kAvx2{kLanes, LoadLines, LoadAcross, Filter};

} // namespace

const KernelSet& Avx2Kernels()
{
    return kAvx2;
}

} // namespace zoom_kernels
#endif
