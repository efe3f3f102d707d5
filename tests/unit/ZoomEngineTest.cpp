// The zoom engine: worked examples, filter values, contribution tables, empty sizes, and the
// engine against the plain reference on random images.
#include "picture/ZoomEngine.h"

#include "HeapPeak.h"
#include "TestRandom.h"
#include "ZoomReference.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kUntouched = 0xEE;

// Samples as rows of hex bytes, so that a failure shows the two images side by side.
std::string HexGrid(const Bytes& samples, int rowLength)
{
    std::string grid;
    char cell[4];
    for (std::size_t k = 0; k < samples.size(); ++k) {
        std::snprintf(cell, sizeof cell, "%02x", samples[k]);
        grid += cell;
        grid += (k + 1) % rowLength == 0 ? '\n' : ' ';
    }
    return grid;
}

Bytes Slice(const Bytes& bytes, std::ptrdiff_t start, std::ptrdiff_t count)
{
    return {bytes.begin() + start, bytes.begin() + start + count};
}

struct Size {
    int width;
    int height;
};

Bytes Zoom(const Bytes& src, Size from, Size to, int channels, std::uint32_t selector)
{
    Bytes dst(static_cast<std::size_t>(to.width) * to.height * channels, kUntouched);
    ZoomSamples(src.data(), from.width, from.height, dst.data(), to.width, to.height, channels,
                selector);
    return dst;
}

Bytes ReferenceZoom(const Bytes& src, Size from, Size to, int channels, std::uint32_t selector)
{
    Bytes dst(static_cast<std::size_t>(to.width) * to.height * channels, kUntouched);
    reference::ZoomSamples(src.data(), from.width, from.height, dst.data(), to.width, to.height,
                           channels, selector);
    return dst;
}

constexpr std::uint32_t kDefault = 5; // not a named selector: the Hermite filter

TEST(ZoomEngine, WorkedExamples)
{
    struct Example {
        const char* name;
        Bytes src;
        Size from;
        Size to;
        int channels;
        std::uint32_t selector;
        int row; // the row compared, or -1 for the whole image
        Bytes expected;
    };
    const Bytes image4x3 = {0, 17, 255, 3, 128, 129, 7, 200, 255, 0, 64, 99};
    const Bytes grid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // clang-format off
    const Example examples[] = {
        {"equal size reproduces the input", image4x3, {4, 3}, {4, 3}, 1, kDefault, -1, image4x3},
        {"(0,255) enlarged to 4", {0, 255}, {2, 1}, {4, 1}, 1, kDefault, -1, {0, 128, 255, 255}},
        {"selector 0 is Hermite", {0, 255}, {2, 1}, {4, 1}, 1, 0, -1, {0, 128, 255, 255}},
        {"selector 3 is Hermite", {0, 255}, {2, 1}, {4, 1}, 1, 3, -1, {0, 128, 255, 255}},
        {"mirrors about sample 0 and between samples past the end",
            {0, 255, 0, 255}, {4, 1}, {2, 1}, 1, kDefault, -1, {128, 147}},
        {"(0,100,200) reduced to 1", {0, 100, 200}, {3, 1}, {1, 1}, 1, kDefault, -1, {109}},
        {"horizontal pass first, rounded to bytes",
            {0, 37, 201, 100}, {2, 2}, {5, 5}, 1, kDefault, 2, {180, 149, 103, 93, 93}},
        {"one sample wide", {77, 20}, {1, 2}, {6, 2}, 1, kDefault, -1,
            {77, 77, 77, 77, 77, 77,
             20, 20, 20, 20, 20, 20}},
        {"channels are filtered separately", {0, 200, 255, 100}, {2, 1}, {4, 1}, 2, kDefault, -1,
            {0, 200, 128, 150, 255, 100, 255, 100}},
        {"selector 1 writes nothing", {0, 255}, {2, 1}, {4, 1}, 1, kZoomNone, -1,
            Bytes(4, kUntouched)},
        {"nearest takes source sample 0 first", {10, 20, 30}, {3, 1}, {5, 1}, 1, kZoomNearest, -1,
            {10, 10, 20, 20, 30}},
        {"nearest truncates", {10, 20, 30, 40}, {4, 1}, {3, 1}, 1, kZoomNearest, -1,
            {10, 20, 30}},
        {"nearest copies whole pixels", grid, {3, 2}, {5, 3}, 2, kZoomNearest, -1,
            {1, 2, 1, 2, 3, 4, 3, 4, 5, 6,
             1, 2, 1, 2, 3, 4, 3, 4, 5, 6,
             7, 8, 7, 8, 9, 10, 9, 10, 11, 12}},
    };
    // clang-format on
    for (const Example& example : examples) {
        SCOPED_TRACE(example.name);
        const Bytes dst =
            Zoom(example.src, example.from, example.to, example.channels, example.selector);
        const int rowLength = example.to.width * example.channels;
        const Bytes actual =
            example.row < 0 ? dst : Slice(dst, std::ptrdiff_t{example.row} * rowLength, rowLength);
        EXPECT_EQ(HexGrid(actual, rowLength), HexGrid(example.expected, rowLength));
    }
}

TEST(ZoomEngine, EmptySizesReadAndWriteNothing)
{
    struct Case {
        Size from;
        Size to;
        int channels;
    };
    const Case cases[] = {
        {{0, 3}, {4, 4}, 1},
        {{3, 0}, {4, 4}, 1},
        {{-2, 3}, {4, 4}, 1},
        {{3, -1}, {4, 4}, 1},
        {{3, 3}, {0, 4}, 1},
        {{3, 3}, {4, 0}, 1},
        {{3, 3}, {-4, 4}, 1},
        {{3, 3}, {4, 4}, 0},
        {{3, 3}, {4, 4}, -1},
        {{0, 0}, {0, 0}, 1},
        {{std::numeric_limits<int>::min(), -1}, {4, 4}, 1},
    };
    const auto hasPixels = [](Size size) { return size.width > 0 && size.height > 0; };
    for (const Case& c : cases) {
        for (const std::uint32_t selector : {kZoomNearest, kDefault, kZoomLanczos3}) {
            SCOPED_TRACE(testing::Message()
                         << c.from.width << "x" << c.from.height << " -> " << c.to.width << "x"
                         << c.to.height << " channels " << c.channels << " selector " << selector);
            // An empty side is a null pointer, so any access to it crashes the test.
            const Bytes src(std::size_t{9} * 4, 1);
            Bytes dst(std::size_t{16} * 4, kUntouched);
            ZoomSamples(hasPixels(c.from) ? src.data() : nullptr, c.from.width, c.from.height,
                        hasPixels(c.to) ? dst.data() : nullptr, c.to.width, c.to.height, c.channels,
                        selector);
            EXPECT_EQ(dst, Bytes(std::size_t{16} * 4, kUntouched));
        }
    }
}

TEST(ZoomEngine, UnusableSupportsWriteNothing)
{
    // A NaN or endless window has no taps to compute; it must not reach an integer conversion.
    for (const double support : {std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(), 1e300}) {
        SCOPED_TRACE(testing::Message() << "support " << support);
        const Bytes src = {1, 2, 3, 4};
        Bytes dst(6, kUntouched);
        ZoomChannels(src.data(), 2, 2, dst.data(), 3, 2, 1, HermiteFilter, support);
        EXPECT_EQ(dst, Bytes(6, kUntouched));
    }
}

TEST(ZoomFilters, ValuesAtBreakpoints)
{
    struct Value {
        const char* filter;
        ZoomFilter function;
        double x;
        double expected;
    };
    // Exact doubles: a branch taken at the wrong side of a limit, or a formula evaluated in
    // another order, changes them.
    const Value values[] = {
        {"Hermite", HermiteFilter, 0.0, 1.0},
        {"Hermite", HermiteFilter, -0.5, 0.5},
        {"Hermite", HermiteFilter, 0.9, 0.027999999999999914},
        {"Hermite", HermiteFilter, 1.0, 0.0},
        {"Hermite", HermiteFilter, -1.0, 0.0},
        {"Box", BoxFilter, 0.0, 1.0},
        {"Box", BoxFilter, 0.5, 1.0},
        {"Box", BoxFilter, -0.5, 0.0},
        {"Box", BoxFilter, -0.49999999999999994, 1.0},
        {"Box", BoxFilter, 0.5000000000000001, 0.0},
        {"Triangle", TriangleFilter, 0.0, 1.0},
        {"Triangle", TriangleFilter, -0.25, 0.75},
        {"Triangle", TriangleFilter, 1.0, 0.0},
        {"BSpline", BSplineFilter, 0.0, 0.6666666666666666},
        {"BSpline", BSplineFilter, 0.9, 0.22116666666666662},
        {"BSpline", BSplineFilter, 1.0, 0.16666666666666666}, // the outer piece
        {"BSpline", BSplineFilter, -1.45, 0.027729166666666673},
        {"BSpline", BSplineFilter, 2.0, 0.0},
        {"Mitchell", MitchellFilter, 0.0, 0.8888888888888888},
        {"Mitchell", MitchellFilter, 0.9, 0.1193888888888887},
        {"Mitchell", MitchellFilter, 1.0, 0.05555555555555536}, // the outer piece
        {"Mitchell", MitchellFilter, -1.7, -0.019500000000000444},
        {"Mitchell", MitchellFilter, 2.0, 0.0},
        {"Lanczos3", Lanczos3Filter, 0.0, 1.0},
        {"Lanczos3", Lanczos3Filter, 3.0, 0.0},
        {"Lanczos3", Lanczos3Filter, -3.0, 0.0},
        {"Sinc", Sinc, 0.0, 1.0},
    };
    for (const Value& value : values) {
        SCOPED_TRACE(testing::Message() << value.filter << "(" << value.x << ")");
        EXPECT_EQ(value.function(value.x), value.expected);
    }
    // sin comes from the platform's library: allow it its last bits.
    EXPECT_DOUBLE_EQ(Sinc(0.5), 0.6366197723675814);
    EXPECT_DOUBLE_EQ(Lanczos3Filter(-1.5), -0.13509491152311703);
    EXPECT_NEAR(Lanczos3Filter(1.0), 0.0, 1e-15);
}

TEST(ZoomEngine, MatchesReferenceOnRandomImages)
{
    const std::uint32_t selectors[] = {0,  kZoomNone,     kZoomNearest, 3, kZoomBox,
                                       5,  kZoomTriangle, kZoomBSpline, 9, kZoomLanczos3,
                                       63, kZoomMitchell, 0xFFFFFFFFu};
    Random random(20240611);
    // Sides of 1 are common, so 1 x N and N x 1 images turn up in both directions; a side up to
    // 120 gives strong reductions.
    const auto side = [&random] {
        const int kind = random.Between(0, 7);
        return kind == 0 ? 1 : kind == 1 ? random.Between(40, 120) : random.Between(1, 24);
    };
    for (int trial = 0; trial < 1000; ++trial) {
        const Size from{side(), side()};
        const Size to{side(), side()};
        const int channels = random.Between(1, 4);
        const std::uint32_t selector = selectors[trial % std::size(selectors)];
        const Bytes src =
            random.Samples(static_cast<std::size_t>(from.width) * from.height * channels);
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": " << from.width << "x"
                                        << from.height << " -> " << to.width << "x" << to.height
                                        << ", " << channels << " channels, selector " << selector);
        const int rowLength = to.width * channels;
        ASSERT_EQ(HexGrid(Zoom(src, from, to, channels, selector), rowLength),
                  HexGrid(ReferenceZoom(src, from, to, channels, selector), rowLength));
    }
}

TEST(ZoomEngine, UniformImagesStayUniform)
{
    // Reduction weights are normalised and every filter but Lanczos3 sums to 1 at any phase, so
    // a uniform picture must come out uniform, edges included.
    const std::uint32_t selectors[] = {kDefault,     kZoomBox,      kZoomTriangle,
                                       kZoomBSpline, kZoomMitchell, kZoomLanczos3};
    const Size sizes[][2] = {{{40, 30}, {7, 4}}, {{5, 3}, {17, 11}}, {{1, 1}, {6, 6}},
                             {{9, 1}, {2, 9}},   {{2, 2}, {2, 2}},   {{372, 1}, {4, 3}}};
    for (const std::uint32_t selector : selectors) {
        for (const auto& [from, to] : sizes) {
            const bool enlarges = to.width > from.width || to.height > from.height;
            if (selector == kZoomLanczos3 && enlarges)
                continue;
            for (const std::uint8_t value : {0, 1, 137, 255}) {
                SCOPED_TRACE(testing::Message()
                             << "selector " << selector << ", " << from.width << "x" << from.height
                             << " -> " << to.width << "x" << to.height << ", " << int{value});
                const Bytes src(static_cast<std::size_t>(from.width) * from.height, value);
                EXPECT_EQ(Zoom(src, from, to, 1, selector),
                          Bytes(static_cast<std::size_t>(to.width) * to.height, value));
            }
        }
    }
}

TEST(ZoomContributions, TapsStayInsideTheSourceAndReductionsSumToOne)
{
    struct Filter {
        ZoomFilter function;
        double support;
    };
    const Filter filters[] = {
        {HermiteFilter, kHermiteSupport},   {BoxFilter, kBoxSupport},
        {TriangleFilter, kTriangleSupport}, {BSplineFilter, kBSplineSupport},
        {Lanczos3Filter, kLanczos3Support}, {MitchellFilter, kMitchellSupport}};
    for (const Filter& filter : filters) {
        for (int n = 1; n <= 9; ++n) {
            for (int m = 1; m <= 24; ++m) {
                SCOPED_TRACE(testing::Message()
                             << "support " << filter.support << ", " << n << " -> " << m);
                const ContributionTable table(n, m, filter.function, filter.support);
                ASSERT_EQ(table.Length(), m);
                for (int i = 0; i < m; ++i) {
                    const ContributionList& list = table[i];
                    ASSERT_LE(list.count, table.Stride());
                    double total = 0.0;
                    for (int k = 0; k < list.count; ++k) {
                        EXPECT_GE(list.entries[k].index, 0);
                        EXPECT_LT(list.entries[k].index, n);
                        total += list.entries[k].weight;
                    }
                    if (m < n) {
                        EXPECT_NEAR(total, 1.0, 1e-12) << "output " << i;
                    }
                }
            }
        }
    }
}

TEST(ZoomContributions, WindowWiderThanItsCapacityKeepsEveryTap)
{
    // 372 -> 4 with Hermite: the reach rounds to 92.99999999999999, so 2 x reach + 1 truncates to
    // 186, but the last window's ends round to 232 and 418: 187 taps.
    const ContributionTable table(372, 4, HermiteFilter, kHermiteSupport);
    const ContributionList* widest = &table[0];
    for (int i = 1; i < table.Length(); ++i) {
        if (table[i].count > widest->count)
            widest = &table[i];
    }
    ASSERT_EQ(widest->count, 187);
    EXPECT_GE(table.Stride(), widest->count);
    EXPECT_EQ(widest->entries[0].weight, 0.0);
    EXPECT_EQ(widest->entries[186].weight, 0.0);

    Random random(372);
    const Bytes src = random.Samples(std::size_t{372} * 3);
    EXPECT_EQ(HexGrid(Zoom(src, {372, 3}, {4, 2}, 1, kDefault), 4),
              HexGrid(ReferenceZoom(src, {372, 3}, {4, 2}, 1, kDefault), 4));
}

TEST(ZoomFiltered, FollowsRowSpansAndLeavesPaddingAlone)
{
    // A 5 x 4 source in rows of 8 samples into a 7 x 3 destination in rows of 10.
    constexpr std::ptrdiff_t kSrcSpan = 8;
    constexpr std::ptrdiff_t kDstSpan = 10;
    Random random(7);
    Bytes padded = random.Samples(kSrcSpan * 4);
    Bytes packed;
    for (std::ptrdiff_t r = 0; r < 4; ++r) {
        const Bytes row = Slice(padded, r * kSrcSpan, 5);
        packed.insert(packed.end(), row.begin(), row.end());
    }
    Bytes dst(kDstSpan * 3, kUntouched);

    ZoomFiltered({7, 3, dst.data(), static_cast<std::int32_t>(kDstSpan)},
                 {5, 4, padded.data(), static_cast<std::int32_t>(kSrcSpan)}, MitchellFilter,
                 kMitchellSupport);

    const Bytes expected = Zoom(packed, {5, 4}, {7, 3}, 1, kZoomMitchell);
    for (std::ptrdiff_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(testing::Message() << "row " << r);
        EXPECT_EQ(Slice(dst, r * kDstSpan, 7), Slice(expected, r * 7, 7));
        EXPECT_EQ(Slice(dst, r * kDstSpan + 7, kDstSpan - 7), Bytes(kDstSpan - 7, kUntouched));
    }
}

std::uint32_t Fnv1a(std::uint32_t hash, const Bytes& bytes)
{
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 16777619u;
    return hash;
}

// The same pseudo-random cases through one selector, folded into one FNV-1a hash.
std::uint32_t Checksum(std::uint32_t selector)
{
    struct Case {
        Size from;
        Size to;
        int channels;
    };
    const Case cases[] = {{{23, 17}, {61, 40}, 1}, {{64, 48}, {9, 13}, 1},  {{1, 29}, {17, 5}, 1},
                          {{37, 1}, {5, 11}, 1},   {{50, 50}, {50, 50}, 1}, {{12, 9}, {7, 20}, 3}};
    std::uint32_t hash = 2166136261u;
    Random random(1999);
    for (const Case& c : cases) {
        const Bytes src =
            random.Samples(static_cast<std::size_t>(c.from.width) * c.from.height * c.channels);
        hash = Fnv1a(hash, Zoom(src, c.from, c.to, c.channels, selector));
    }
    return hash;
}

TEST(ZoomEngine, ChecksumsAreTheSameOnEveryBuild)
{
    // Host, i686 and x86_64 builds must produce these same bytes: any excess precision, fused
    // multiply-add or reordered sum shows up here.
    struct Expected {
        std::uint32_t selector;
        std::uint32_t checksum;
    };
    const Expected expected[] = {
        {kZoomNearest, 1818351464u},  {kDefault, 2619042422u},     {kZoomBox, 3720761362u},
        {kZoomTriangle, 1108036813u}, {kZoomBSpline, 2529905397u}, {kZoomLanczos3, 789885917u},
        {kZoomMitchell, 1055016623u},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(testing::Message() << "selector " << e.selector);
        EXPECT_EQ(Checksum(e.selector), e.checksum);
    }
}

TEST(ZoomEngine, ScratchMemoryGrowsWithTheDestinationWidthNotTheSourceHeight)
{
    // Each destination row reads about 200 source rows; an intermediate image of the source's
    // height and the destination's width would take 41 MB.
    constexpr int kSrcWidth = 8;
    constexpr int kSrcHeight = 20000;
    constexpr int kDstWidth = 2048;
    constexpr int kDstHeight = 200;
    const std::vector<std::uint8_t> src(std::size_t{kSrcWidth} * kSrcHeight, 77);
    std::vector<std::uint8_t> dst(std::size_t{kDstWidth} * kDstHeight, 0);
    const HeapPeak peak;
    ZoomSamples(src.data(), kSrcWidth, kSrcHeight, dst.data(), kDstWidth, kDstHeight, 1, 5);
    EXPECT_LT(peak.Bytes(), std::size_t{8} << 20);
    EXPECT_EQ(dst, std::vector<std::uint8_t>(dst.size(), 77));
}

} // namespace
