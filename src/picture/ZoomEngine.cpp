// The zoom engine: filters, contribution tables, nearest neighbour and the entry points; the
// filtered passes themselves are in ZoomEnginePlan.cpp.
// Every expression here is evaluated as written (the build forbids contraction into fused
// multiply-adds), because the output bytes are defined by that exact double arithmetic.
#include "picture/ZoomEngine.h"

#include "picture/BlockSize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kOneSixth = 1.0 / 6.0;
constexpr double kSixteenThirds = 16.0 / 3.0;
constexpr double kThirtyTwoThirds = 32.0 / 3.0;
constexpr double kMinusSevenThirds = -7.0 / 3.0;

bool HasPixels(std::int32_t width, std::int32_t height)
{
    return width > 0 && height > 0;
}

// How output positions along one axis map onto source positions.
struct AxisMap {
    bool reducing;
    double scale;   // destination length / source length
    double reach;   // half-width of a tap window, in source samples
    double stretch; // source samples per destination sample when reducing, else 1
};

AxisMap MapAxis(std::int32_t srcLength, std::int32_t dstLength, double support)
{
    const double scale = static_cast<double>(dstLength) / static_cast<double>(srcLength);
    if (scale < 1.0)
        return {true, scale, support / scale, 1.0 / scale};
    return {false, scale, support, 1.0};
}

// The source positions [left, right] that one output draws on, around its centre.
struct Window {
    double centre;
    std::int64_t left;
    std::int64_t right;
};

Window WindowAt(const AxisMap& axis, std::int32_t i)
{
    const double position = static_cast<double>(i) / axis.scale;
    // A reduced output sits in the middle of the source samples it covers; an enlarged one has no
    // half-sample offset, so output 0 lies on source sample 0.
    const double centre = axis.reducing ? position + axis.stretch / 2.0 - 0.5 : position;
    return {centre, static_cast<std::int64_t>(std::ceil(centre - axis.reach)),
            static_cast<std::int64_t>(std::floor(centre + axis.reach))};
}

double WeightAt(const AxisMap& axis, ZoomFilter filter, double centre, std::int64_t j)
{
    const double distance = centre - static_cast<double>(j);
    if (axis.reducing)
        return filter(distance / axis.stretch) / axis.stretch;
    return filter(distance);
}

// Mirrors an index once: about sample 0 before the start (-1 reads 1), between samples past the
// end (n reads n - 1). A window wider than a tiny source can still land outside after that; such
// a tap reads the nearest end.
std::int32_t Reflect(std::int64_t j, std::int32_t n)
{
    if (j < 0)
        j = -j;
    else if (j >= n)
        j = 2 * std::int64_t{n} - 1 - j;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(j, 0, n - 1));
}

std::int64_t WidestWindow(const AxisMap& axis, std::int32_t dstLength)
{
    std::int64_t widest = 0;
    for (std::int32_t i = 0; i < dstLength; ++i) {
        const Window window = WindowAt(axis, i);
        widest = std::max(widest, window.right - window.left + 1);
    }
    return widest;
}

// Room for each list: the widest window actually met. The nominal 2 x reach + 1 truncates a reach
// that may have rounded down, while each window's ends are rounded on their own, so a window can
// hold one tap more: 372 -> 4 samples with Hermite has reach 92.99999999999999, hence 186, but its
// last window spans 232..418, 187 taps (its two end taps weigh 0). Every tap is kept.
std::int32_t ListRoom(const AxisMap& axis, std::int32_t dstLength)
{
    // A list could never hold a window this wide, and a NaN reach has no window at all; refusing
    // them first also keeps the window ends within range of their integer conversion.
    constexpr double kWidestReach = std::numeric_limits<std::int32_t>::max() / 2.0;
    if (!(std::fabs(axis.reach) <= kWidestReach))
        throw std::bad_alloc();
    const std::int64_t widest = WidestWindow(axis, dstLength);
    if (widest > std::numeric_limits<std::int32_t>::max())
        throw std::bad_alloc();
    return static_cast<std::int32_t>(widest);
}

// Reduction weights are divided by their sum so that a uniform source stays uniform. A sum of
// exactly 0 leaves them at 0 rather than dividing 0 by 0.
void Normalise(ContributionList& list, double total)
{
    if (total == 0.0)
        return;
    for (std::int32_t k = 0; k < list.count; ++k)
        list.entries[k].weight /= total;
}

// Appends the taps of output i in ascending source order, zero weights included, and sums the
// weights in that same order.
void FillList(const AxisMap& axis, ZoomFilter filter, std::int32_t srcLength, std::int32_t i,
              ContributionList& list)
{
    const Window window = WindowAt(axis, i);
    double total = 0.0;
    for (std::int64_t j = window.left; j <= window.right; ++j) {
        const double weight = WeightAt(axis, filter, window.centre, j);
        list.entries[list.count++] = {Reflect(j, srcLength), weight};
        total += weight;
    }
    if (axis.reducing)
        Normalise(list, total);
}

// Source index for each destination position: position x ratio, truncated. The product stays
// below srcLength in double arithmetic; the clamp only makes that visible.
std::vector<std::int32_t> NearestMap(std::int32_t srcLength, std::int32_t dstLength)
{
    const double ratio = static_cast<double>(srcLength) / static_cast<double>(dstLength);
    std::vector<std::int32_t> map(BlockElementsOrThrow(dstLength, 1, sizeof(std::int32_t)));
    for (std::int32_t i = 0; i < dstLength; ++i)
        map[i] = std::min(static_cast<std::int32_t>(static_cast<double>(i) * ratio), srcLength - 1);
    return map;
}

void CopyNearest(const std::uint8_t* src, std::int32_t srcWidth, std::uint8_t* dst,
                 const std::vector<std::int32_t>& rows, const std::vector<std::int32_t>& columns,
                 std::int32_t channels)
{
    const auto pixel = static_cast<std::size_t>(channels);
    for (const std::int32_t row : rows) {
        const std::uint8_t* line = src + static_cast<std::size_t>(row) * srcWidth * pixel;
        for (const std::int32_t column : columns)
            dst = std::copy_n(line + static_cast<std::size_t>(column) * pixel, pixel, dst);
    }
}

// True when both images have pixels and a buffer of that many samples can exist at all.
bool CanZoom(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
             const std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
             std::int32_t channels)
{
    if (!HasPixels(srcWidth, srcHeight) || !HasPixels(dstWidth, dstHeight) || channels <= 0 ||
        src == nullptr || dst == nullptr)
        return false;
    const auto fits = [channels](std::int32_t width, std::int32_t height) {
        const std::optional<std::size_t> pixels = BlockElements(width, height);
        return pixels && BlockElements(static_cast<std::int64_t>(*pixels), channels);
    };
    return fits(srcWidth, srcHeight) && fits(dstWidth, dstHeight);
}

bool HasSamples(const ZoomImage& image)
{
    return HasPixels(image.width, image.height) && image.span >= image.width &&
           image.samples != nullptr;
}

} // namespace

double Sinc(double x)
{
    const double y = kPi * x;
    return y != 0.0 ? std::sin(y) / y : 1.0;
}

double HermiteFilter(double x)
{
    const double t = std::fabs(x);
    return t < kHermiteSupport ? (2.0 * t - 3.0) * t * t + 1.0 : 0.0;
}

// Open below, closed above, on x itself: of two source samples equally far from a centre, the
// lower one is taken.
double BoxFilter(double x)
{
    return x > -kBoxSupport && x <= kBoxSupport ? 1.0 : 0.0;
}

double TriangleFilter(double x)
{
    const double t = std::fabs(x);
    return t < kTriangleSupport ? 1.0 - t : 0.0;
}

double BSplineFilter(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return 0.5 * t * t * t - t * t + kTwoThirds;
    if (t < kBSplineSupport) {
        const double u = 2.0 - t;
        return u * u * u * kOneSixth;
    }
    return 0.0;
}

double Lanczos3Filter(double x)
{
    const double t = std::fabs(x);
    return t < kLanczos3Support ? Sinc(t) * Sinc(t / 3.0) : 0.0;
}

// Mitchell-Netravali with B = C = 1/3.
double MitchellFilter(double x)
{
    const double t = std::fabs(x);
    if (t < 1.0)
        return (7.0 * t * t * t - 12.0 * t * t + kSixteenThirds) / 6.0;
    if (t < kMitchellSupport)
        return (kMinusSevenThirds * t * t * t + 12.0 * t * t - 20.0 * t + kThirtyTwoThirds) / 6.0;
    return 0.0;
}

ZoomFilterChoice FilterForSelector(std::uint32_t selector)
{
    switch (selector) {
    case kZoomBox:
        return {BoxFilter, kBoxSupport};
    case kZoomTriangle:
        return {TriangleFilter, kTriangleSupport};
    case kZoomBSpline:
        return {BSplineFilter, kBSplineSupport};
    case kZoomLanczos3:
        return {Lanczos3Filter, kLanczos3Support};
    case kZoomMitchell:
        return {MitchellFilter, kMitchellSupport};
    default:
        return {HermiteFilter, kHermiteSupport};
    }
}

ContributionTable::ContributionTable(std::int32_t srcLength, std::int32_t dstLength,
                                     ZoomFilter filter, double support)
{
    if (!HasPixels(srcLength, dstLength))
        return;
    const AxisMap axis = MapAxis(srcLength, dstLength, support);
    m_Stride = ListRoom(axis, dstLength);
    m_Entries.resize(BlockElementsOrThrow(m_Stride, dstLength, sizeof(Contribution)));
    m_Lists.resize(BlockElementsOrThrow(dstLength, 1, sizeof(ContributionList)));
    for (std::int32_t i = 0; i < dstLength; ++i) {
        m_Lists[i] = {0, m_Entries.data() + static_cast<std::ptrdiff_t>(i) * m_Stride};
        FillList(axis, filter, srcLength, i, m_Lists[i]);
    }
}

std::int64_t ZoomWindowLength(std::int32_t srcLength, std::int32_t dstLength,
                              double support) noexcept
{
    if (srcLength <= 0 || dstLength <= 0)
        return 0;
    try {
        return std::min<std::int64_t>(ListRoom(MapAxis(srcLength, dstLength, support), dstLength),
                                      srcLength);
    } catch (const std::bad_alloc&) {
        return 0; // a window too wide for any list: not a length that can be zoomed
    }
}

void ZoomSamples(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                 std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                 std::int32_t channels, std::uint32_t selector) noexcept
{
    if (selector == kZoomNone)
        return;
    if (selector == kZoomNearest) {
        ZoomNearest(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels);
        return;
    }
    const ZoomFilterChoice choice = FilterForSelector(selector);
    ZoomChannels(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels, choice.filter,
                 choice.support);
}

void ZoomNearest(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                 std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                 std::int32_t channels) noexcept
{
    if (!CanZoom(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels))
        return;
    try {
        const std::vector<std::int32_t> rows = NearestMap(srcHeight, dstHeight);
        const std::vector<std::int32_t> columns = NearestMap(srcWidth, dstWidth);
        CopyNearest(src, srcWidth, dst, rows, columns, channels);
    } catch (const std::bad_alloc&) {
        // Nothing was written.
    }
}

void ZoomChannels(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                  std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                  std::int32_t channels, ZoomFilter filter, double support) noexcept
{
    if (!CanZoom(src, srcWidth, srcHeight, dst, dstWidth, dstHeight, channels) || filter == nullptr)
        return;
    try {
        // Each channel is read and written where it lies: no planes are copied out and back.
        PlannedZoom zoom(srcWidth, srcHeight, dstWidth, dstHeight, channels, filter, support);
        const std::ptrdiff_t step = channels;
        zoom.Run(src, {srcWidth * step, step}, dst, {dstWidth * step, step});
    } catch (const std::bad_alloc&) {
        // Every allocation precedes the first write: the destination is as it was.
    }
}

void ZoomFiltered(const ZoomImage& dst, const ZoomImage& src, ZoomFilter filter,
                  double support) noexcept
{
    if (!HasSamples(dst) || !HasSamples(src) || filter == nullptr)
        return;
    try {
        PlannedZoom zoom(src.width, src.height, dst.width, dst.height, 1, filter, support);
        zoom.Run(src.samples, {src.span, 1}, dst.samples, {dst.span, 1});
    } catch (const std::bad_alloc&) {
        // Nothing was written.
    }
}
