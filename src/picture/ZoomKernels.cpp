// Portable kernels: blocks of 4 lines in plain loops. They define what the vector kernels must
// reproduce lane for lane, and serve processors without a vector path.
#include "picture/ZoomKernels.h"

#include "picture/ZoomKernelLoops.h"

#include <cstddef>
#include <cstdint>

namespace zoom_kernels {
namespace {

constexpr std::ptrdiff_t kLanes = 4;

void LoadLines(float* const* blocks, std::int32_t channels, const std::uint8_t* const* lines,
               std::ptrdiff_t step, std::int32_t positions)
{
    LoadOneByOne<kLanes>(blocks, channels, lines, step, 0, positions);
}

void LoadAcross(float* block, const std::uint8_t* first, std::ptrdiff_t stride,
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

void Filter(const Taps& taps, std::int32_t begin, std::int32_t end, const float* block,
            std::uint8_t* out)
{
    for (std::int32_t i = begin; i < end; ++i) {
        double acc[kLanes] = {};
        for (std::int32_t t = taps.first[i]; t < taps.first[i + 1]; ++t) {
            const float* samples = block + taps.offset[t];
            for (std::int32_t l = 0; l < kLanes; ++l)
                acc[l] += static_cast<double>(samples[l]) * taps.weight[t];
        }
        for (std::int32_t l = 0; l < kLanes; ++l)
            out[(i - begin) * kLanes + l] = ToSample(acc[l]);
    }
}

void PrefetchLines(const std::uint8_t* const* /*lines*/, std::ptrdiff_t /*bytes*/)
{
}

void StorePixels(const std::uint8_t* out, std::ptrdiff_t plane, std::int32_t rows,
                 std::int32_t count, std::uint8_t* first, std::ptrdiff_t stride)
{
    for (std::int32_t j = 0; j < rows; ++j) {
        for (std::int32_t l = 0; l < count; ++l) {
            std::uint8_t* pixel = first + j * stride + l * std::ptrdiff_t{4};
            pixel[0] = out[j * kLanes + l];
            pixel[1] = out[plane + j * kLanes + l];
            pixel[2] = out[2 * plane + j * kLanes + l];
            pixel[3] = 0;
        }
    }
}

constexpr KernelSet kPortable{.lanes = kLanes,
                              .loadLines = LoadLines,
                              .loadAcross = LoadAcross,
                              .prefetchLines = PrefetchLines,
                              .filter = Filter,
                              .storeRows = StoreRowsOneByOne<kLanes>,
                              .storePixels = StorePixels,
                              .clearFourthBytes = ClearFourthBytesOneByOne};

} // namespace

const KernelSet& PortableKernels()
{
    return kPortable;
}

} // namespace zoom_kernels
