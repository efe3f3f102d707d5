// The loops of the zoom kernels that are the same for every vector width, written once over an
// instruction set's steps. Each instruction-set file instantiates them with its own; they are in
// an unnamed namespace so that every file gets a copy of its own, built with its flags: a copy
// built with one file's flags must never stand in for another's.
//
// Steps provides:
//   static constexpr std::ptrdiff_t kLanes;
//     the lines of a block;
//   struct Sums, with
//     void Add(const Taps& taps, std::int32_t t, const float* block);
//       adds tap t of the block to the sum of each lane, in double arithmetic;
//     void Store(std::uint8_t* out) const;
//       writes each lane's sum + 0.5, clamped to 0..255 and truncated, as kLanes bytes;
//   static void LoadSixteen(float* block, const std::uint8_t* const* lines, std::ptrdiff_t p);
//     positions p to p + 15 of lines of bytes into the block;
//   static constexpr std::int32_t kPixelsLoaded;
//   static void LoadPixels(float* const* blocks, std::int32_t channels,
//                          const std::uint8_t* const* lines, std::ptrdiff_t p);
//     positions p to p + kPixelsLoaded - 1 of lines of 4-byte pixels, one block per channel;
//   static void LoadAcross(...), as KernelSet::loadAcross;
//   static void StoreEightOutputs(const std::uint8_t* out, std::int32_t rows, std::uint8_t* first,
//                                 std::ptrdiff_t stride);
//     eight filter outputs, as KernelSet::storeRows writes them;
//   static void StorePixelRow(const std::uint8_t* samples, std::ptrdiff_t plane,
//                             std::uint8_t* row);
//     kLanes outputs of three channels as 4-byte pixels, as KernelSet::storePixels writes them;
//   static constexpr std::ptrdiff_t kPixelsCleared;
//   static bool HasFourthBytes(const std::uint8_t* pixels);
//     whether a fourth byte of 4 x kPixelsCleared pixels is set;
//   static void ClearStretch(std::uint8_t* pixels);
//     clears the fourth bytes of kPixelsCleared pixels, writing them only when one is set.
#pragma once

#include "picture/ZoomKernels.h"

#include <cstddef>
#include <cstdint>

#ifdef LUMBREL_X86
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace zoom_kernels {
namespace {

template <class Sums, std::ptrdiff_t kLanes>
void FilterOutputs(const Taps& taps, std::int32_t begin, std::int32_t end, const float* block,
                   std::uint8_t* out)
{
    std::int32_t i = begin;
    // Two outputs at a time: twice as many independent sums hide the latency of the additions.
    // On i686 some of them live on the stack, and that is still the faster way.
    for (; i + 2 <= end; i += 2) {
        Sums first;
        Sums second;
        std::int32_t t = taps.first[i];
        std::int32_t u = taps.first[i + 1];
        for (; t < taps.first[i + 1] && u < taps.first[i + 2]; ++t, ++u) {
            first.Add(taps, t, block);
            second.Add(taps, u, block);
        }
        for (; t < taps.first[i + 1]; ++t)
            first.Add(taps, t, block);
        for (; u < taps.first[i + 2]; ++u)
            second.Add(taps, u, block);
        first.Store(out + (i - begin) * kLanes);
        second.Store(out + (i + 1 - begin) * kLanes);
    }
    for (; i < end; ++i) {
        Sums sums;
        for (std::int32_t t = taps.first[i]; t < taps.first[i + 1]; ++t)
            sums.Add(taps, t, block);
        sums.Store(out + (i - begin) * kLanes);
    }
}

// KernelSet::loadLines sample by sample, from position `from` on.
template <std::ptrdiff_t kLanes>
void LoadOneByOne(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
                  std::ptrdiff_t step, std::int32_t from, std::int32_t positions)
{
    for (std::int32_t c = 0; c < channels; ++c) {
        for (std::int32_t p = from; p < positions; ++p) {
            for (std::int32_t l = 0; l < kLanes; ++l)
                blocks[c][p * kLanes + l] = lines[l][p * step + c];
        }
    }
}

// KernelSet::storeRows byte by byte.
template <std::ptrdiff_t kLanes>
void StoreRowsOneByOne(const std::uint8_t* out, std::int32_t rows, std::int32_t length,
                       std::uint8_t* first, std::ptrdiff_t stride)
{
    for (std::int32_t l = 0; l < rows; ++l) {
        for (std::int32_t i = 0; i < length; ++i)
            first[l * stride + i] = out[i * kLanes + l];
    }
}

// KernelSet::clearFourthBytes pixel by pixel.
inline void ClearFourthBytesOneByOne(std::uint8_t* pixels, std::ptrdiff_t count)
{
    for (std::ptrdiff_t p = 3; p < count * 4; p += 4) {
        if (pixels[p] != 0)
            pixels[p] = 0;
    }
}

#ifdef LUMBREL_X86
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

template <class Steps>
void LoadLines(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
               std::ptrdiff_t step, std::int32_t positions)
{
    std::int32_t done = 0;
    if (step == 1 && channels == 1)
        done = LoadAll(16, positions,
                       [&](std::int32_t p) { Steps::LoadSixteen(blocks[0], lines, p); });
    else if (step == 4)
        done = LoadAll(Steps::kPixelsLoaded, positions,
                       [&](std::int32_t p) { Steps::LoadPixels(blocks, channels, lines, p); });
    LoadOneByOne<Steps::kLanes>(blocks, channels, lines, step, done, positions);
}

// Lanes 0-7 (or 8-15) of eight outputs r[0..7] into `rows` rows, eight bytes each: an 8 x 8 byte
// transpose.
template <bool kHigh>
void StoreEightLanes(const __m128i* r, std::int32_t rows, std::uint8_t* first,
                     std::ptrdiff_t stride)
{
    const auto unpack = [](__m128i x, __m128i y) {
        return kHigh ? _mm_unpackhi_epi8(x, y) : _mm_unpacklo_epi8(x, y);
    };
    const __m128i a0 = unpack(r[0], r[1]);
    const __m128i a1 = unpack(r[2], r[3]);
    const __m128i a2 = unpack(r[4], r[5]);
    const __m128i a3 = unpack(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi16(a0, a1);
    const __m128i b1 = _mm_unpackhi_epi16(a0, a1);
    const __m128i b2 = _mm_unpacklo_epi16(a2, a3);
    const __m128i b3 = _mm_unpackhi_epi16(a2, a3);
    // lanes[k] holds lane 2k then lane 2k + 1 (of this half), each as outputs 0-7.
    const __m128i lanes[4] = {_mm_unpacklo_epi32(b0, b2), _mm_unpackhi_epi32(b0, b2),
                              _mm_unpacklo_epi32(b1, b3), _mm_unpackhi_epi32(b1, b3)};
    for (std::int32_t l = 0; l < rows; ++l) {
        const __m128i row = (l & 1) != 0 ? _mm_srli_si128(lanes[l / 2], 8) : lanes[l / 2];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(first + l * stride), row);
    }
}

template <class Steps>
void StoreRows(const std::uint8_t* out, std::int32_t rows, std::int32_t length, std::uint8_t* first,
               std::ptrdiff_t stride)
{
    std::int32_t i = 0;
    for (; i + 8 <= length; i += 8)
        Steps::StoreEightOutputs(out + i * Steps::kLanes, rows, first + i, stride);
    StoreRowsOneByOne<Steps::kLanes>(out + i * Steps::kLanes, rows, length - i, first + i, stride);
}

template <std::ptrdiff_t kLanes>
void PrefetchLines(const std::uint8_t* const* lines, std::ptrdiff_t bytes)
{
    for (std::int32_t l = 0; l < kLanes; ++l) {
        for (std::ptrdiff_t k = 0; k < bytes; k += 64)
            _mm_prefetch(reinterpret_cast<const char*>(lines[l] + k), _MM_HINT_T0);
    }
}

// A row short of kLanes pixels is staged, since the vector stores would pass its end.
template <class Steps>
void StorePixels(const std::uint8_t* out, std::ptrdiff_t plane, std::int32_t rows,
                 std::int32_t count, std::uint8_t* first, std::ptrdiff_t stride)
{
    for (std::int32_t j = 0; j < rows; ++j) {
        const std::uint8_t* samples = out + j * Steps::kLanes;
        std::uint8_t* row = first + j * stride;
        if (count == Steps::kLanes) {
            Steps::StorePixelRow(samples, plane, row);
            continue;
        }
        std::uint8_t staged[Steps::kLanes * 4];
        Steps::StorePixelRow(samples, plane, staged);
        for (std::int32_t k = 0; k < count * 4; ++k)
            row[k] = staged[k];
    }
}

// A stretch of pixels is written only when a fourth byte in it is set; clean pixels are tested
// four stretches at a time, which is as fast as the memory brings them.
template <class Steps> void ClearFourthBytes(std::uint8_t* pixels, std::ptrdiff_t count)
{
    constexpr std::ptrdiff_t kStretch = Steps::kPixelsCleared;
    std::ptrdiff_t p = 0;
    for (; p + 4 * kStretch <= count; p += 4 * kStretch) {
        if (Steps::HasFourthBytes(pixels + p * 4)) {
            for (std::ptrdiff_t k = 0; k < 4; ++k)
                Steps::ClearStretch(pixels + (p + k * kStretch) * 4);
        }
    }
    for (; p + kStretch <= count; p += kStretch)
        Steps::ClearStretch(pixels + p * 4);
    ClearFourthBytesOneByOne(pixels + p * 4, count - p);
}

// The kernel set of an instruction set's steps.
template <class Steps> constexpr KernelSet VectorKernels()
{
    return {.lanes = Steps::kLanes,
            .loadLines = LoadLines<Steps>,
            .loadAcross = Steps::LoadAcross,
            .prefetchLines = PrefetchLines<Steps::kLanes>,
            .filter = FilterOutputs<typename Steps::Sums, Steps::kLanes>,
            .storeRows = StoreRows<Steps>,
            .storePixels = StorePixels<Steps>,
            .clearFourthBytes = ClearFourthBytes<Steps>};
}
#endif

} // namespace
} // namespace zoom_kernels
