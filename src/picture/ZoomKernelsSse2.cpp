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

constexpr std::ptrdiff_t kLanes = 8;

// Eight bytes (the low half of `bytes`) as eight floats at out[0..7].
inline void StoreEight(float* out, __m128i bytes)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(bytes, zero);
    _mm_storeu_ps(out, _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero)));
    _mm_storeu_ps(out + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(words, zero)));
}

void LoadScalar(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
                std::ptrdiff_t step, std::int32_t from, std::int32_t positions)
{
    for (std::int32_t c = 0; c < channels; ++c) {
        for (std::int32_t p = from; p < positions; ++p) {
            for (std::int32_t l = 0; l < kLanes; ++l)
                blocks[c][p * kLanes + l] = lines[l][p * step + c];
        }
    }
}

// Positions p to p + 15 of eight lines of bytes, gathered by three rounds of unpacking.
void LoadSixteen(float* block, const std::uint8_t* const* lines, std::ptrdiff_t p)
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

// Positions p to p + 3 of eight lines of 4-byte pixels: each group of four lines is transposed
// as whole pixels, then every channel is taken out of them.
void LoadFourPixels(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
                    std::ptrdiff_t p)
{
    const __m128i mask = _mm_set1_epi32(0xFF);
    for (std::ptrdiff_t group = 0; group < kLanes / 4; ++group) {
        __m128i v[4];
        for (std::ptrdiff_t l = 0; l < 4; ++l)
            v[l] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[group * 4 + l] + p * 4));
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

// Runs a loader of `width` positions over all positions; a last short stretch is loaded again
// from positions - width, which converts some samples twice to the same values.
template <typename Load> std::int32_t LoadAll(std::int32_t width, std::int32_t positions, Load load)
{
    if (positions < width)
        return 0;
    std::int32_t p = 0;
    for (; p + width <= positions; p += width)
        load(p);
    if (p < positions)
        load(positions - width);
    return positions;
}

void LoadLines(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
               std::ptrdiff_t step, std::int32_t positions)
{
    std::int32_t done = 0;
    if (step == 1 && channels == 1)
        done = LoadAll(16, positions, [&](std::int32_t p) { LoadSixteen(blocks[0], lines, p); });
    else if (step == 4)
        done = LoadAll(4, positions,
                       [&](std::int32_t p) { LoadFourPixels(blocks, channels, lines, p); });
    LoadScalar(blocks, channels, lines, step, done, positions);
}

void LoadAcross(float* block, const std::uint8_t* first, std::ptrdiff_t stride,
                std::int32_t positions)
{
    for (std::int32_t p = 0; p < positions; ++p)
        StoreEight(block + p * kLanes,
                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(first + p * stride)));
}

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
        return _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(v, _mm_setzero_pd()), _mm_set1_pd(255.0)));
    }

    void Store(std::uint8_t* out) const
    {
        const __m128i low = _mm_unpacklo_epi64(Round(a0), Round(a1));
        const __m128i high = _mm_unpacklo_epi64(Round(a2), Round(a3));
        const __m128i words = _mm_packs_epi32(low, high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
    }
};

void Filter(const Taps& taps, std::int32_t begin, std::int32_t end, const float* block,
            std::uint8_t* out)
{
    FilterOutputs<Sums, kLanes>(taps, begin, end, block, out);
}

// Eight outputs of eight lanes: an 8 x 8 byte transpose, then eight bytes to each row.
void StoreEightOutputs(const std::uint8_t* out, std::int32_t rows, std::uint8_t* first,
                       std::ptrdiff_t stride)
{
    __m128i r[8];
    for (std::ptrdiff_t i = 0; i < 8; ++i)
        r[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(out + i * kLanes));
    const __m128i a0 = _mm_unpacklo_epi8(r[0], r[1]);
    const __m128i a1 = _mm_unpacklo_epi8(r[2], r[3]);
    const __m128i a2 = _mm_unpacklo_epi8(r[4], r[5]);
    const __m128i a3 = _mm_unpacklo_epi8(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi16(a0, a1);
    const __m128i b1 = _mm_unpackhi_epi16(a0, a1);
    const __m128i b2 = _mm_unpacklo_epi16(a2, a3);
    const __m128i b3 = _mm_unpackhi_epi16(a2, a3);
    // lanes[k] holds lane 2k then lane 2k + 1, each as outputs 0-7.
    const __m128i lanes[4] = {_mm_unpacklo_epi32(b0, b2), _mm_unpackhi_epi32(b0, b2),
                              _mm_unpacklo_epi32(b1, b3), _mm_unpackhi_epi32(b1, b3)};
    for (std::int32_t l = 0; l < rows; ++l) {
        const __m128i row = (l & 1) != 0 ? _mm_srli_si128(lanes[l / 2], 8) : lanes[l / 2];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(first + l * stride), row);
    }
}

void StoreRows(const std::uint8_t* out, std::int32_t rows, std::int32_t length, std::uint8_t* first,
               std::ptrdiff_t stride)
{
    std::int32_t i = 0;
    for (; i + 8 <= length; i += 8)
        StoreEightOutputs(out + i * kLanes, rows, first + i, stride);
    for (std::int32_t l = 0; l < rows; ++l) {
        for (std::int32_t k = i; k < length; ++k)
            first[l * stride + k] = out[k * kLanes + l];
    }
}

void PrefetchLines(const std::uint8_t* const* lines, std::ptrdiff_t bytes)
{
    for (std::int32_t l = 0; l < kLanes; ++l) {
        for (std::ptrdiff_t k = 0; k < bytes; k += 64)
            _mm_prefetch(reinterpret_cast<const char*>(lines[l] + k), _MM_HINT_T0);
    }
}

void StorePixels(const std::uint8_t* out, std::ptrdiff_t plane, std::int32_t rows,
                 std::int32_t count, std::uint8_t* first, std::ptrdiff_t stride)
{
    const __m128i zero = _mm_setzero_si128();
    for (std::int32_t j = 0; j < rows; ++j) {
        const std::uint8_t* samples = out + j * kLanes;
        std::uint8_t* row = first + j * stride;
        const __m128i blueGreen =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + plane)));
        const __m128i red = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + 2 * plane)), zero);
        const __m128i pixels[2] = {_mm_unpacklo_epi16(blueGreen, red),
                                   _mm_unpackhi_epi16(blueGreen, red)};
        if (count == kLanes) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row), pixels[0]);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 16), pixels[1]);
            continue;
        }
        alignas(16) std::uint8_t staged[kLanes * 4];
        _mm_store_si128(reinterpret_cast<__m128i*>(staged), pixels[0]);
        _mm_store_si128(reinterpret_cast<__m128i*>(staged + 16), pixels[1]);
        for (std::int32_t k = 0; k < count * 4; ++k)
            row[k] = staged[k];
    }
}

// Whether a fourth byte in v is set.
inline bool HasFourthBytes(__m128i v, __m128i colours)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_andnot_si128(colours, v), _mm_setzero_si128())) !=
           0xFFFF;
}

// A stretch of four pixels is written only when a fourth byte in it is set; clean pixels are
// tested 16 at a time, which is as fast as the memory brings them.
inline void ClearFour(std::uint8_t* pixels, __m128i colours)
{
    auto* const at = reinterpret_cast<__m128i*>(pixels);
    const __m128i v = _mm_loadu_si128(at);
    if (HasFourthBytes(v, colours))
        _mm_storeu_si128(at, _mm_and_si128(v, colours));
}

void ClearFourthBytes(std::uint8_t* pixels, std::ptrdiff_t count)
{
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    std::ptrdiff_t p = 0;
    for (; p + 16 <= count; p += 16) {
        const auto* const at = reinterpret_cast<const __m128i*>(pixels + p * 4);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(at), _mm_loadu_si128(at + 1)),
                         _mm_or_si128(_mm_loadu_si128(at + 2), _mm_loadu_si128(at + 3)));
        if (HasFourthBytes(any, colours)) {
            for (std::ptrdiff_t k = 0; k < 4; ++k)
                ClearFour(pixels + (p + 4 * k) * 4, colours);
        }
    }
    for (; p + 4 <= count; p += 4)
        ClearFour(pixels + p * 4, colours);
    for (; p < count; ++p) {
        if (pixels[p * 4 + 3] != 0)
            pixels[p * 4 + 3] = 0;
    }
}

constexpr KernelSet kSse2{kLanes, LoadLines, LoadAcross,  PrefetchLines,
                          Filter, StoreRows, StorePixels, ClearFourthBytes};

} // namespace

const KernelSet& Sse2Kernels()
{
    return kSse2;
}

} // namespace zoom_kernels
#endif
