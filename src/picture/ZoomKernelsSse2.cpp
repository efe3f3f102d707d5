// SSE2 kernels: blocks of 8 lines, sums in four vectors of two doubles. SSE2 is the baseline of
// every x86 build, so this file needs no flags of its own.
#include "picture/ZoomKernelLoops.h"
#include "picture/ZoomKernels.h"

#ifdef LUMBREL_X86
#include <emmintrin.h>
#include <xmmintrin.h>

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

// Eight bytes (the low half of `bytes`) as eight floats at out[0..7].
inline void StoreEight(float* out, __m128i bytes)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(bytes, zero);
    _mm_storeu_ps(out, _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero)));
    _mm_storeu_ps(out + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(words, zero)));
}

// Whether a fourth byte in v is set.
inline bool HasFourthBytesIn(__m128i v, __m128i colours)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_andnot_si128(colours, v), _mm_setzero_si128())) !=
           0xFFFF;
}

struct Sse2Steps {
    static constexpr std::ptrdiff_t kLanes = 8;
    static constexpr std::int32_t kPixelsLoaded = 4;
    static constexpr std::ptrdiff_t kPixelsCleared = 4;

    // The sums of one output, a lane per line.
    struct Sums {
        __m128d a0 = _mm_setzero_pd();
        __m128d a1 = _mm_setzero_pd();
        __m128d a2 = _mm_setzero_pd();
        __m128d a3 = _mm_setzero_pd();

        void Add(const Taps& taps, std::int32_t t, const float* block)
        {
            const __m128d w = _mm_load1_pd(taps.weight + t);
            const __m128 low = _mm_loadu_ps(block + taps.offset[t]);
            const __m128 high = _mm_loadu_ps(block + taps.offset[t] + 4);
            a0 = _mm_add_pd(a0, _mm_mul_pd(_mm_cvtps_pd(low), w));
            a1 = _mm_add_pd(a1, _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(low, low)), w));
            a2 = _mm_add_pd(a2, _mm_mul_pd(_mm_cvtps_pd(high), w));
            a3 = _mm_add_pd(a3, _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(high, high)), w));
        }

        // + 0.5, clamped to 0..255 (a NaN becomes 0), truncated.
        static __m128i Round(__m128d acc)
        {
            const __m128d v = _mm_add_pd(acc, _mm_set1_pd(0.5));
            return _mm_cvttpd_epi32(
                _mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), _mm_set1_pd(255.0)));
        }

        void Store(std::uint8_t* out) const
        {
            const __m128i low = _mm_unpacklo_epi64(Round(a0), Round(a1));
            const __m128i high = _mm_unpacklo_epi64(Round(a2), Round(a3));
            const __m128i words = _mm_packs_epi32(low, high);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
        }
    };

    // Positions p to p + 15 of eight lines of bytes, gathered by three rounds of unpacking.
    static void LoadSixteen(float* block, const std::uint8_t* const* lines, std::ptrdiff_t p)
    {
        __m128i a[8];
        for (std::ptrdiff_t l = 0; l < 8; ++l)
            a[l] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[l] + p));
        __m128i b[8];
        for (std::ptrdiff_t k = 0; k < 4; ++k) {
            b[2 * k] = _mm_unpacklo_epi8(a[2 * k], a[2 * k + 1]);
            b[2 * k + 1] = _mm_unpackhi_epi8(a[2 * k], a[2 * k + 1]);
        }
        __m128i c[8];
        for (std::ptrdiff_t k = 0; k < 2; ++k) {
            for (std::ptrdiff_t h = 0; h < 2; ++h) {
                const __m128i x = b[4 * k + h];
                const __m128i y = b[4 * k + 2 + h];
                c[4 * k + 2 * h] = _mm_unpacklo_epi16(x, y);
                c[4 * k + 2 * h + 1] = _mm_unpackhi_epi16(x, y);
            }
        }
        // c[0..3]: positions 0-3, 4-7, 8-11, 12-15 of lines 0-3; c[4..7]: of lines 4-7.
        for (std::ptrdiff_t q = 0; q < 4; ++q) {
            const __m128i pairs[2] = {_mm_unpacklo_epi32(c[q], c[4 + q]),
                                      _mm_unpackhi_epi32(c[q], c[4 + q])};
            for (std::ptrdiff_t h = 0; h < 2; ++h) {
                float* out = block + (p + 4 * q + 2 * h) * kLanes;
                StoreEight(out, pairs[h]);
                StoreEight(out + kLanes, _mm_srli_si128(pairs[h], 8));
            }
        }
    }

    // Positions p to p + 3 of eight lines of 4-byte pixels: each group of four lines is
    // transposed as whole pixels, then every channel is taken out of them.
    static void LoadPixels(float* const* blocks, std::int32_t channels,
                           const std::uint8_t* const* lines, std::ptrdiff_t p)
    {
        const __m128i mask = _mm_set1_epi32(0xFF);
        for (std::ptrdiff_t group = 0; group < kLanes / 4; ++group) {
            __m128i v[4];
            for (std::ptrdiff_t l = 0; l < 4; ++l)
                v[l] =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[group * 4 + l] + p * 4));
            const __m128i t0 = _mm_unpacklo_epi32(v[0], v[1]);
            const __m128i t1 = _mm_unpackhi_epi32(v[0], v[1]);
            const __m128i t2 = _mm_unpacklo_epi32(v[2], v[3]);
            const __m128i t3 = _mm_unpackhi_epi32(v[2], v[3]);
            const __m128i q[4] = {_mm_unpacklo_epi64(t0, t2), _mm_unpackhi_epi64(t0, t2),
                                  _mm_unpacklo_epi64(t1, t3), _mm_unpackhi_epi64(t1, t3)};
            for (std::int32_t c = 0; c < channels; ++c) {
                const __m128i shift = _mm_cvtsi32_si128(8 * c);
                float* out = blocks[c] + p * kLanes + group * 4;
                for (std::ptrdiff_t k = 0; k < 4; ++k)
                    _mm_storeu_ps(out + k * kLanes,
                                  _mm_cvtepi32_ps(_mm_and_si128(_mm_srl_epi32(q[k], shift), mask)));
            }
        }
    }

    static void LoadAcross(float* block, const std::uint8_t* first, std::ptrdiff_t stride,
                           std::int32_t positions)
    {
        for (std::int32_t p = 0; p < positions; ++p)
            StoreEight(block + p * kLanes,
                       _mm_loadl_epi64(reinterpret_cast<const __m128i*>(first + p * stride)));
    }

    // Eight outputs of eight lanes.
    static void StoreEightOutputs(const std::uint8_t* out, std::int32_t rows, std::uint8_t* first,
                                  std::ptrdiff_t stride)
    {
        __m128i r[8];
        for (std::ptrdiff_t i = 0; i < 8; ++i)
            r[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(out + i * kLanes));
        StoreEightLanes<false>(r, rows, first, stride);
    }

    static void StorePixelRow(const std::uint8_t* samples, std::ptrdiff_t plane, std::uint8_t* row)
    {
        const __m128i blueGreen =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + plane)));
        const __m128i red = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + 2 * plane)),
            _mm_setzero_si128());
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row), _mm_unpacklo_epi16(blueGreen, red));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 16), _mm_unpackhi_epi16(blueGreen, red));
    }

    static bool HasFourthBytes(const std::uint8_t* pixels)
    {
        const auto* const at = reinterpret_cast<const __m128i*>(pixels);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(at), _mm_loadu_si128(at + 1)),
                         _mm_or_si128(_mm_loadu_si128(at + 2), _mm_loadu_si128(at + 3)));
        return HasFourthBytesIn(any, _mm_set1_epi32(0x00FFFFFF));
    }

    static void ClearStretch(std::uint8_t* pixels)
    {
        const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
        auto* const at = reinterpret_cast<__m128i*>(pixels);
        const __m128i v = _mm_loadu_si128(at);
        if (HasFourthBytesIn(v, colours))
            _mm_storeu_si128(at, _mm_and_si128(v, colours));
    }
};

constexpr KernelSet kSse2 = VectorKernels<Sse2Steps>();

} // namespace

const KernelSet& Sse2Kernels()
{
    return kSse2;
}

} // namespace zoom_kernels
#endif
