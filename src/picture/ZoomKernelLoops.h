// The loops of the zoom kernels that are the same for every vector width, written once over an
// instruction set's sums. Each instruction-set file instantiates them with its own; they are in
// an unnamed namespace so that every file gets a copy of its own, built with its flags: a copy
// built with one file's flags must never stand in for another's.
//
// Sums provides:
//   void Add(const Taps& taps, std::int32_t t, const float* block);
//     adds tap t of the block to the sum of each lane, in double arithmetic;
//   void Store(std::uint8_t* out) const;
//     writes each lane's sum + 0.5, clamped to 0..255 and truncated, as kLanes bytes.
#pragma once

#include "picture/ZoomKernels.h"

#include <cstddef>
#include <cstdint>

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

} // namespace
} // namespace zoom_kernels
