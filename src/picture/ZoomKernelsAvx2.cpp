// AVX2 kernels: blocks of 16 lines, sums in four vectors of four doubles. Compiled with -mavx2
// but without -mfma, and with contraction off, so every product is rounded before it is added.
#include "picture/ZoomKernelLoops.h"
#include "picture/ZoomKernels.h"

#ifdef LUMBREL_X86
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

// Eight bytes (the low half of `bytes`) as eight floats at out[0..7].
inline void StoreEight(float* out, __m128i bytes)
{
    _mm256_storeu_ps(out, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes)));
}

// Four lines of 4-byte pixels from position p on, transposed in both halves as whole pixels:
// q[k] holds position p + k of the four lines in its low half and p + 4 + k in its high half.
inline void TransposeFour(const std::uint8_t* const* lines, std::ptrdiff_t p, __m256i* q)
{
    __m256i v[4];
    for (std::ptrdiff_t l = 0; l < 4; ++l)
        v[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lines[l] + p * 4));
    const __m256i t0 = _mm256_unpacklo_epi32(v[0], v[1]);
    const __m256i t1 = _mm256_unpackhi_epi32(v[0], v[1]);
    const __m256i t2 = _mm256_unpacklo_epi32(v[2], v[3]);
    const __m256i t3 = _mm256_unpackhi_epi32(v[2], v[3]);
    q[0] = _mm256_unpacklo_epi64(t0, t2);
    q[1] = _mm256_unpackhi_epi64(t0, t2);
    q[2] = _mm256_unpacklo_epi64(t1, t3);
    q[3] = _mm256_unpackhi_epi64(t1, t3);
}

// Whether a fourth byte in v is set: testc finds every bit that the colours leave out 0 in v.
inline bool HasFourthBytesIn(__m256i v, __m256i colours)
{
    return _mm256_testc_si256(colours, v) == 0;
}

struct Avx2Steps {
    static constexpr std::ptrdiff_t kLanes = 16;
    static constexpr std::int32_t kPixelsLoaded = 8;
    static constexpr std::ptrdiff_t kPixelsCleared = 8;

    // The sums of one output, a lane per line.
    struct Sums {
        __m256d a0 = _mm256_setzero_pd();
        __m256d a1 = _mm256_setzero_pd();
        __m256d a2 = _mm256_setzero_pd();
        __m256d a3 = _mm256_setzero_pd();

        void Add(const Taps& taps, std::int32_t t, const float* block)
        {
            const __m256d w = _mm256_broadcast_sd(taps.weight + t);
            const float* s = block + taps.offset[t];
            a0 = _mm256_add_pd(a0, _mm256_mul_pd(_mm256_cvtps_pd(_mm_loadu_ps(s)), w));
            a1 = _mm256_add_pd(a1, _mm256_mul_pd(_mm256_cvtps_pd(_mm_loadu_ps(s + 4)), w));
            a2 = _mm256_add_pd(a2, _mm256_mul_pd(_mm256_cvtps_pd(_mm_loadu_ps(s + 8)), w));
            a3 = _mm256_add_pd(a3, _mm256_mul_pd(_mm256_cvtps_pd(_mm_loadu_ps(s + 12)), w));
        }

        // + 0.5, clamped to 0..255 (a NaN becomes 0), truncated.
        static __m128i Round(__m256d acc)
        {
            const __m256d v = _mm256_add_pd(acc, _mm256_set1_pd(0.5));
            return _mm256_cvttpd_epi32(
                _mm256_min_pd(_mm256_max_pd(v, _mm256_setzero_pd()), _mm256_set1_pd(255.0)));
        }

        void Store(std::uint8_t* out) const
        {
            const __m128i low = _mm_packs_epi32(Round(a0), Round(a1));
            const __m128i high = _mm_packs_epi32(Round(a2), Round(a3));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
        }
    };

    // Positions p to p + 15 of sixteen lines of bytes: line l and line l + 8 share a register,
    // and three rounds of unpacking bring each position's eight lanes together in both halves.
    static void LoadSixteen(float* block, const std::uint8_t* const* lines, std::ptrdiff_t p)
    {
        __m256i a[8];
        for (std::ptrdiff_t l = 0; l < 8; ++l) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l] + p));
            const __m128i high =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l + 8] + p));
            a[l] = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        }
        __m256i b[8];
        for (std::ptrdiff_t k = 0; k < 4; ++k) {
            b[2 * k] = _mm256_unpacklo_epi8(a[2 * k], a[2 * k + 1]);
            b[2 * k + 1] = _mm256_unpackhi_epi8(a[2 * k], a[2 * k + 1]);
        }
        // b[0]: positions 0-7 of lines 0,1; b[1]: positions 8-15; b[2], b[3]: lines 2,3; ...
        __m256i c[8];
        for (std::ptrdiff_t k = 0; k < 2; ++k) {
            for (std::ptrdiff_t h = 0; h < 2; ++h) {
                const __m256i x = b[4 * k + h];
                const __m256i y = b[4 * k + 2 + h];
                c[4 * k + 2 * h] = _mm256_unpacklo_epi16(x, y);
                c[4 * k + 2 * h + 1] = _mm256_unpackhi_epi16(x, y);
            }
        }
        // c[0..3]: positions 0-3, 4-7, 8-11, 12-15 of lines 0-3; c[4..7]: of lines 4-7.
        for (std::ptrdiff_t q = 0; q < 4; ++q) {
            const __m256i pairs[2] = {_mm256_unpacklo_epi32(c[q], c[4 + q]),
                                      _mm256_unpackhi_epi32(c[q], c[4 + q])};
            // pairs[h]: positions 4q + 2h and 4q + 2h + 1, lines 0-7 (low half) and 8-15 (high).
            for (std::ptrdiff_t h = 0; h < 2; ++h) {
                const __m128i low = _mm256_castsi256_si128(pairs[h]);
                const __m128i high = _mm256_extracti128_si256(pairs[h], 1);
                float* out = block + (p + 4 * q + 2 * h) * kLanes;
                StoreEight(out, low);
                StoreEight(out + 8, high);
                StoreEight(out + kLanes, _mm_srli_si128(low, 8));
                StoreEight(out + kLanes + 8, _mm_srli_si128(high, 8));
            }
        }
    }

    // Positions p to p + 7 of sixteen lines of 4-byte pixels, eight lines at a time: each
    // channel is shuffled out of the transposed pixels, and the halves of two groups of four
    // lines are paired into whole positions of eight lines.
    static void LoadPixels(float* const* blocks, std::int32_t channels,
                           const std::uint8_t* const* lines, std::ptrdiff_t p)
    {
        for (std::ptrdiff_t half = 0; half < 2; ++half) {
            __m256i low[4];
            __m256i high[4];
            TransposeFour(lines + half * 8, p, low);
            TransposeFour(lines + half * 8 + 4, p, high);
            for (std::int32_t c = 0; c < channels; ++c) {
                // Byte c of every pixel, the other three bytes of its word cleared (a shuffle
                // index with its top bit set gives 0).
                const auto index = [c](unsigned word) {
                    return static_cast<int>(0x80808000u + 4 * word + static_cast<unsigned>(c));
                };
                const __m256i pick = _mm256_setr_epi32(index(0), index(1), index(2), index(3),
                                                       index(0), index(1), index(2), index(3));
                float* out = blocks[c] + half * 8;
                for (std::ptrdiff_t k = 0; k < 4; ++k) {
                    const __m256 a = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(low[k], pick));
                    const __m256 b = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(high[k], pick));
                    _mm256_storeu_ps(out + (p + k) * kLanes, _mm256_permute2f128_ps(a, b, 0x20));
                    _mm256_storeu_ps(out + (p + 4 + k) * kLanes,
                                     _mm256_permute2f128_ps(a, b, 0x31));
                }
            }
        }
    }

    static void LoadAcross(float* block, const std::uint8_t* first, std::ptrdiff_t stride,
                           std::int32_t positions)
    {
        for (std::int32_t p = 0; p < positions; ++p) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + p * stride));
            StoreEight(block + p * kLanes, bytes);
            StoreEight(block + p * kLanes + 8, _mm_srli_si128(bytes, 8));
        }
    }

    // Eight outputs of sixteen lanes: lanes 0-7, then lanes 8-15.
    static void StoreEightOutputs(const std::uint8_t* out, std::int32_t rows, std::uint8_t* first,
                                  std::ptrdiff_t stride)
    {
        __m128i r[8];
        for (std::ptrdiff_t k = 0; k < 8; ++k)
            r[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + k * kLanes));
        StoreEightLanes<false>(r, rows < 8 ? rows : 8, first, stride);
        if (rows > 8)
            StoreEightLanes<true>(r, rows - 8, first + 8 * stride, stride);
    }

    static void StorePixelRow(const std::uint8_t* samples, std::ptrdiff_t plane, std::uint8_t* row)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i blue = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples));
        const __m128i green = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + plane));
        const __m128i red = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 2 * plane));
        const __m128i blueGreen[2] = {_mm_unpacklo_epi8(blue, green),
                                      _mm_unpackhi_epi8(blue, green)};
        const __m128i redZero[2] = {_mm_unpacklo_epi8(red, zero), _mm_unpackhi_epi8(red, zero)};
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row),
                            _mm256_set_m128i(_mm_unpackhi_epi16(blueGreen[0], redZero[0]),
                                             _mm_unpacklo_epi16(blueGreen[0], redZero[0])));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + 32),
                            _mm256_set_m128i(_mm_unpackhi_epi16(blueGreen[1], redZero[1]),
                                             _mm_unpacklo_epi16(blueGreen[1], redZero[1])));
    }

    static bool HasFourthBytes(const std::uint8_t* pixels)
    {
        const auto* const at = reinterpret_cast<const __m256i*>(pixels);
        const __m256i any = _mm256_or_si256(
            _mm256_or_si256(_mm256_loadu_si256(at), _mm256_loadu_si256(at + 1)),
            _mm256_or_si256(_mm256_loadu_si256(at + 2), _mm256_loadu_si256(at + 3)));
        return HasFourthBytesIn(any, _mm256_set1_epi32(0x00FFFFFF));
    }

    static void ClearStretch(std::uint8_t* pixels)
    {
        const __m256i colours = _mm256_set1_epi32(0x00FFFFFF);
        auto* const at = reinterpret_cast<__m256i*>(pixels);
        const __m256i v = _mm256_loadu_si256(at);
        if (HasFourthBytesIn(v, colours))
            _mm256_storeu_si256(at, _mm256_and_si256(v, colours));
    }
};

constexpr KernelSet kAvx2 = VectorKernels<Avx2Steps>();

} // namespace

const KernelSet& Avx2Kernels()
{
    return kAvx2;
}

} // namespace zoom_kernels
#endif
