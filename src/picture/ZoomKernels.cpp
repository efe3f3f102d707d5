// Portable kernels: blocks of 4 lines in plain loops. They define what the vector kernels must
// reproduce lane for lane, and serve processors without a vector path.
#include "picture/ZoomKernels.h"

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

constexpr std::int32_t kLanes = 4;

void LoadLines(double* block, const std::uint8_t* const* lines, std::ptrdiff_t step,
               std::int32_t positions)
{
    for (std::int32_t p = 0; p < positions; ++p) {
        for (std::int32_t l = 0; l < kLanes; ++l)
            block[p * kLanes + l] = lines[l][p * step];
    }
}

void LoadAcross(double* block, const std::uint8_t* first, std::ptrdiff_t stride,
                std::int32_t positions)
{
    for (std::int32_t p = 0; p < positions; ++p) {
        for (std::int32_t l = 0; l < kLanes; ++l)
            block[p * kLanes + l] = first[p * stride + l];
    }
}

std::uint8_t ToSample(double acc)
{
    const double v = acc + 0.5;
    if (!(v >= 0.0)) // also catches NaN, whose conversion would be undefined
        return 0;
    if (v > 255.0)
        return 255;
    return static_cast<std::uint8_t>(v);
}

void Filter(const Taps& taps, std::int32_t begin, std::int32_t end, const double* block,
            std::uint8_t* out)
{
    for (std::int32_t i = begin; i < end; ++i) {
        double acc[kLanes] = {};
        for (std::int32_t t = taps.first[i]; t < taps.first[i + 1]; ++t) {
            const double* samples = block + taps.offset[t];
            for (std::int32_t l = 0; l < kLanes; ++l)
                acc[l] += samples[l] * taps.weight[t];
        }
        for (std::int32_t l = 0; l < kLanes; ++l)
            out[(i - begin) * kLanes + l] = ToSample(acc[l]);
    }
}

constexpr KernelSet kPortable{kLanes, LoadLines, LoadAcross, Filter};

} // namespace

const KernelSet& PortableKernels()
{
    return kPortable;
}

} // namespace zoom_kernels
