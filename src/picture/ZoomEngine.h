// The zoom engine: resizes images of 8-bit samples, either by nearest neighbour or through a
// separable reconstruction filter (a horizontal pass into an 8-bit intermediate, then a vertical
// pass). Results are defined by double arithmetic: each output is its taps summed in list order,
// plus 0.5, clamped to 0..255 and truncated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Selector values of ZoomSamples. Every value not listed here selects the Hermite filter.
inline constexpr std::uint32_t kZoomNone = 1;
inline constexpr std::uint32_t kZoomNearest = 2;
inline constexpr std::uint32_t kZoomBox = 4;
inline constexpr std::uint32_t kZoomTriangle = 8;
inline constexpr std::uint32_t kZoomBSpline = 16;
inline constexpr std::uint32_t kZoomLanczos3 = 32;
inline constexpr std::uint32_t kZoomMitchell = 64;
// What the rescale of pictures passes: none of the above, so it stands for the Hermite filter.
inline constexpr std::uint32_t kZoomRescaleSelector = 5;

// A reconstruction filter: the weight of a source sample at a signed distance, in source samples.
using ZoomFilter = double (*)(double x);

double Sinc(double x);
double HermiteFilter(double x);
double BoxFilter(double x);
double TriangleFilter(double x);
double BSplineFilter(double x);
double Lanczos3Filter(double x);
double MitchellFilter(double x);

// Supports: the distance beyond which each filter is 0, and the half-width of its tap window.
inline constexpr double kHermiteSupport = 1.0;
inline constexpr double kBoxSupport = 0.5;
inline constexpr double kTriangleSupport = 1.0;
inline constexpr double kBSplineSupport = 2.0;
inline constexpr double kLanczos3Support = 3.0;
inline constexpr double kMitchellSupport = 2.0;

// One plane as the filtered zoom sees it; span is the distance in samples from one row to the
// next.
struct ZoomImage {
    std::int32_t width;
    std::int32_t height;
    std::uint8_t* samples;
    std::int32_t span;
};

// One filter tap: a source index, already reflected into the source, and its weight.
struct Contribution {
    std::int32_t index;
    double weight;
};

// The taps of one output position, in the order they are summed.
struct ContributionList {
    std::int32_t count;
    Contribution* entries;
};

// The taps of every output position along one axis, computed once and shared by every row (or
// column) of a pass. All lists live in one block, list i starting at entry i x Stride(). Lists
// point into that block, so the table can be moved but not copied.
class ContributionTable {
public:
    // Throws std::bad_alloc when the table cannot be held. A length that is not positive gives
    // an empty table.
    ContributionTable(std::int32_t srcLength, std::int32_t dstLength, ZoomFilter filter,
                      double support);
    ContributionTable(const ContributionTable&) = delete;
    ContributionTable& operator=(const ContributionTable&) = delete;
    ContributionTable(ContributionTable&&) noexcept = default;
    ContributionTable& operator=(ContributionTable&&) noexcept = default;
    ~ContributionTable() = default;

    std::int32_t Length() const { return static_cast<std::int32_t>(m_Lists.size()); }
    std::int32_t Stride() const { return m_Stride; }
    const ContributionList& operator[](std::int32_t i) const { return m_Lists[i]; }

private:
    std::int32_t m_Stride = 0;
    std::vector<Contribution> m_Entries;
    std::vector<ContributionList> m_Lists;
};

// The filter and support that a selector other than kZoomNone and kZoomNearest stands for.
struct ZoomFilterChoice {
    ZoomFilter filter;
    double support;
};

ZoomFilterChoice FilterForSelector(std::uint32_t selector);

// The most source samples that one output of a filtered zoom along an axis reads, and never
// more than the source has: a zoom's threads each hold about this many source rows, filtered to
// the destination's width, between the passes. 0 for lengths that cannot be zoomed.
std::int64_t ZoomWindowLength(std::int32_t srcLength, std::int32_t dstLength,
                              double support) noexcept;

// src holds srcWidth x srcHeight pixels of `channels` interleaved samples, rows following each
// other; dst has room for dstWidth x dstHeight such pixels. Writes every destination sample,
// except with kZoomNone. A zero or negative size or channel count reads and writes nothing, and
// so does a failed allocation of scratch memory.
void ZoomSamples(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                 std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                 std::int32_t channels, std::uint32_t selector) noexcept;

// Nearest neighbour without half-sample centring: destination sample 0 takes source sample 0.
void ZoomNearest(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                 std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                 std::int32_t channels) noexcept;

// The filtered zoom of every channel of an interleaved image, each read and written where it lies.
void ZoomChannels(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                  std::uint8_t* dst, std::int32_t dstWidth, std::int32_t dstHeight,
                  std::int32_t channels, ZoomFilter filter, double support) noexcept;

// Resizes src into dst (already sized and allocated) through the filter.
void ZoomFiltered(const ZoomImage& dst, const ZoomImage& src, ZoomFilter filter,
                  double support) noexcept;

// Where a filtered zoom finds interleaved samples: channel c of pixel (x, y) is at
// samples[y x rowStride + x x pixelStep + c].
struct ZoomLayout {
    std::ptrdiff_t rowStride;
    std::ptrdiff_t pixelStep;
};

// A filtered zoom of `channels` interleaved channels between two sizes, with its tables and all
// its scratch memory allocated on construction (which throws std::bad_alloc when they cannot be
// had, or when a size is not positive), so that a caller can be sure of it before changing
// anything. Run writes channels 0 to channels - 1 of every destination pixel, except that three
// channels in 4-byte pixels are written as whole pixels whose fourth byte is 0. With a pixel step
// of 4, the source's pixels are read whole. Running overlapping images is not supported.
//
// Scratch memory grows with the destination's width, the filter's reach and the threads, not
// with the source's height: each thread keeps only the source rows its destination rows read.
class PlannedZoom {
public:
    PlannedZoom(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
                std::int32_t dstHeight, std::int32_t channels, ZoomFilter filter, double support);
    PlannedZoom(const PlannedZoom&) = delete;
    PlannedZoom& operator=(const PlannedZoom&) = delete;
    ~PlannedZoom();

    void Run(const std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
             ZoomLayout dstLayout) noexcept;
    // The same from a source of 4-byte pixels whose fourth bytes are set to 0 as they are read
    // (a rescaled picture's source ends so); those already 0 are not written.
    void RunClearingFourthBytes(std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
                                ZoomLayout dstLayout) noexcept;

private:
    struct Plan;
    std::unique_ptr<Plan> m_Plan;
};

// How the filtered zoom's work is shared, for tests and benchmarks; the results are the same
// however it is, as they are on every instruction set (see SetInstructionSet). At most maxThreads
// threads share a zoom (the calling one and helpers), and only as many as give each at least
// minWorkPerThread sample products to compute; by default, as many as pay.
struct ZoomThreading {
    int maxThreads;
    std::int64_t minWorkPerThread;
};

ZoomThreading DefaultZoomThreading();
void SetZoomThreading(const ZoomThreading& threading);
