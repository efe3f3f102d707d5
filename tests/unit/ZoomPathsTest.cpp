// Every way the zoom engine can run (each instruction-set path, on one thread or in bands of
// rows on several) against the plain reference, byte for byte; and the rescale of a picture
// against the steps through channel images that define it.
#include "PictureTestSupport.h"
#include "RescaleReference.h"
#include "TestRandom.h"
#include "TgaBuilder.h"
#include "ZoomReference.h"
#include "picture/ProcessorFeatures.h"
#include "picture/ZoomEngine.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kUntouched = 0xEE;
constexpr std::uint32_t kDefault = 5; // the Hermite filter

struct Size {
    int width;
    int height;
};

std::size_t Count(Size size, int channels)
{
    return static_cast<std::size_t>(size.width) * size.height * channels;
}

// Both zooms into buffers of exactly the destination's size, so that a stray write or a read
// past the source shows under the address sanitizer.
void ExpectSameAsReference(const Bytes& src, Size from, Size to, int channels,
                           std::uint32_t selector)
{
    Bytes ours(Count(to, channels), kUntouched);
    Bytes theirs(Count(to, channels), kUntouched);
    ZoomSamples(src.data(), from.width, from.height, ours.data(), to.width, to.height, channels,
                selector);
    reference::ZoomSamples(src.data(), from.width, from.height, theirs.data(), to.width, to.height,
                           channels, selector);
    for (std::size_t k = 0; k < ours.size(); ++k) {
        const std::size_t pixel = k / channels;
        ASSERT_EQ(int{ours[k]}, int{theirs[k]})
            << "sample (" << pixel % to.width << ", " << pixel / to.width << ") channel "
            << k % channels << " of " << from.width << "x" << from.height << " -> " << to.width
            << "x" << to.height << ", " << channels << " channels, selector " << selector;
    }
}

// The levels that have kernels of their own.
const auto kPaths =
    testing::Values(InstructionSet::Portable, InstructionSet::Sse2, InstructionSet::Avx2);

// Runs each test on one level; threading is at its default unless a test sets it.
class ZoomPaths : public testing::TestWithParam<InstructionSet> {
protected:
    void SetUp() override
    {
        if (!SetInstructionSet(GetParam()))
            GTEST_SKIP() << "not available on this processor or build";
    }
    void TearDown() override
    {
        SetInstructionSet(ProcessorInstructionSet());
        SetZoomThreading(DefaultZoomThreading());
    }
};

TEST_P(ZoomPaths, RandomImagesMatchTheReference)
{
    const std::uint32_t selectors[] = {
        kDefault,      0,  kZoomBox,      kZoomTriangle, kZoomBSpline,
        kZoomLanczos3, 63, kZoomMitchell, kZoomNearest};
    Random random(1999);
    // Sides of 1 in either direction, small sides around the block widths, and long ones for
    // strong reductions and enlargements.
    const auto side = [&random] {
        const int kind = random.Between(0, 7);
        return kind == 0 ? 1 : kind <= 4 ? random.Between(2, 40) : random.Between(41, 300);
    };
    // With no minimum work every image is split into as many bands as it has rows for, so band
    // edges fall everywhere.
    for (const int threads : {1, 2, 3}) {
        SetZoomThreading({threads, 0});
        for (int trial = 0; trial < 150; ++trial) {
            const Size from{side(), side()};
            const Size to{side(), side()};
            const int channels = random.Between(1, 4);
            const std::uint32_t selector = selectors[trial % std::size(selectors)];
            SCOPED_TRACE(testing::Message() << threads << " threads, trial " << trial);
            ExpectSameAsReference(random.Samples(Count(from, channels)), from, to, channels,
                                  selector);
        }
    }
}

TEST_P(ZoomPaths, BlockEdgesMatchTheReference)
{
    // Widths and heights on either side of the 4, 8 and 16 lines of a block and of the vector
    // loads' reach; 4 channels take the loads of 4-byte pixels.
    Random random(16);
    for (const int width : {1, 4, 5, 8, 9, 15, 16, 17, 25, 32, 33}) {
        for (const int height : {1, 3, 8, 16, 17, 33}) {
            for (const int channels : {1, 4}) {
                const Size from{width, height};
                const Bytes src = random.Samples(Count(from, channels));
                ExpectSameAsReference(src, from, {width + 3, height + 2}, channels, kDefault);
                ExpectSameAsReference(src, from, {(width + 1) / 2, (height + 1) / 2}, channels,
                                      kZoomLanczos3);
            }
        }
    }
}

TEST_P(ZoomPaths, PictureSizesMatchTheReference)
{
    // The menus' sizes, at the default threading and split into more bands than processors.
    const Size sizes[][2] = {{{1920, 1080}, {378, 244}},
                             {{640, 480}, {378, 244}},
                             {{320, 200}, {1920, 1080}},
                             {{1080, 1}, {379, 3}},
                             {{1, 700}, {5, 201}}};
    Random random(1080);
    for (const ZoomThreading threading : {DefaultZoomThreading(), ZoomThreading{5, 0}}) {
        SetZoomThreading(threading);
        for (const auto& [from, to] : sizes) {
            SCOPED_TRACE(testing::Message() << "at most " << threading.maxThreads << " threads");
            ExpectSameAsReference(random.Samples(Count(from, 1)), from, to, 1, kDefault);
        }
    }
}

TEST_P(ZoomPaths, RowSpansAreFollowed)
{
    // A 37 x 21 source in rows of 40 samples into a 50 x 9 destination in rows of 53; the
    // padding of the destination stays as it was.
    constexpr std::ptrdiff_t kSrcSpan = 40;
    constexpr std::ptrdiff_t kDstSpan = 53;
    Random random(40);
    Bytes padded = random.Samples(std::size_t{kSrcSpan} * 21);
    Bytes packed;
    for (std::ptrdiff_t r = 0; r < 21; ++r)
        packed.insert(packed.end(), padded.begin() + r * kSrcSpan,
                      padded.begin() + r * kSrcSpan + 37);
    SetZoomThreading({2, 0});
    Bytes dst(std::size_t{kDstSpan} * 9, kUntouched);
    ZoomFiltered({50, 9, dst.data(), kDstSpan}, {37, 21, padded.data(), kSrcSpan}, BSplineFilter,
                 kBSplineSupport);

    Bytes expected(std::size_t{50} * 9);
    reference::ZoomSamples(packed.data(), 37, 21, expected.data(), 50, 9, 1, kZoomBSpline);
    for (std::ptrdiff_t r = 0; r < 9; ++r) {
        SCOPED_TRACE(testing::Message() << "row " << r);
        EXPECT_EQ(Bytes(dst.begin() + r * kDstSpan, dst.begin() + r * kDstSpan + 50),
                  Bytes(expected.begin() + r * 50, expected.begin() + (r + 1) * 50));
        EXPECT_EQ(Bytes(dst.begin() + r * kDstSpan + 50, dst.begin() + (r + 1) * kDstSpan),
                  Bytes(kDstSpan - 50, kUntouched));
    }
}

INSTANTIATE_TEST_SUITE_P(AllPaths, ZoomPaths, kPaths);

// The rescale reads and writes whole pixels and keeps both pictures' storage; it must give what
// the steps through channel images give, byte for byte and record for record: each colour plane
// zoomed with the default filter, both pictures re-created from planes, destination first.
class RescalePaths : public picture_test::PictureTest,
                     public testing::WithParamInterface<InstructionSet> {
protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        if (!SetInstructionSet(GetParam()))
            GTEST_SKIP() << "not available on this processor or build";
    }
    void TearDown() override
    {
        SetInstructionSet(ProcessorInstructionSet());
        SetZoomThreading(DefaultZoomThreading());
        PictureTest::TearDown();
    }

    // A 32-bit picture of the given pixels, fourth bytes included.
    void LoadPixels(CTga& into, Size size, const Bytes& pixels)
    {
        const std::filesystem::path path =
            Write(TgaBuilder(2, 32, static_cast<std::uint16_t>(size.width),
                             static_cast<std::uint16_t>(size.height))
                      .Data(pixels)
                      .Bytes());
        ASSERT_EQ(into.LoadTga(path.string().c_str()), 1);
    }

    // The trace records appended since `from` words, each without its address words.
    std::vector<std::uint32_t> RecordedSizes(std::size_t from) const
    {
        const std::vector<std::uint32_t> words = TraceWords();
        std::vector<std::uint32_t> sizes;
        for (std::size_t w = from; w + 4 <= words.size(); w += 4)
            sizes.insert(sizes.end(), {words[w + 2], words[w + 3]});
        return sizes;
    }
};

TEST_P(RescalePaths, MatchesTheStepsThroughChannelImages)
{
    // Sources taller than a chunk of rows, so that with several threads rows lie on chunk
    // boundaries, and rows that no destination row reads.
    const Size sizes[][2] = {{{37, 23}, {16, 9}},   {{5, 3}, {40, 31}}, {{1, 1}, {3, 2}},
                             {{64, 1}, {7, 1}},     {{9, 33}, {9, 33}}, {{400, 300}, {83, 61}},
                             {{16, 700}, {31, 40}}, {{8, 500}, {5, 3}}};
    Random random(4);
    for (const ZoomThreading threading : {DefaultZoomThreading(), ZoomThreading{3, 0}}) {
        SetZoomThreading(threading);
        for (const auto& [from, to] : sizes) {
            SCOPED_TRACE(testing::Message()
                         << from.width << "x" << from.height << " -> " << to.width << "x"
                         << to.height << ", at most " << threading.maxThreads << " threads");
            const Bytes pixels = random.Samples(Count(from, 4));
            CTga plainSource;
            CTga plainDestination;
            LoadPixels(plainSource, from, pixels);
            plainDestination.CreateBlank(to.width, to.height);
            std::size_t mark = TraceWords().size();
            reference::Rescale(plainSource, plainDestination);
            const std::vector<std::uint32_t> plainSizes = RecordedSizes(mark);

            LoadPixels(m_Picture, from, pixels);
            CTga destination;
            destination.CreateBlank(to.width, to.height);
            const std::uint8_t* const storage[] = {destination.Bits(), m_Picture.Bits()};
            mark = TraceWords().size();
            m_Picture.RescaleInto(destination);
            EXPECT_EQ(RecordedSizes(mark), plainSizes);
            picture_test::ExpectPicture(destination, to.width, to.height,
                                        picture_test::PixelsOf(plainDestination));
            picture_test::ExpectPicture(m_Picture, from.width, from.height,
                                        picture_test::PixelsOf(plainSource));
            EXPECT_EQ(destination.Bits(), storage[0]);
            EXPECT_EQ(m_Picture.Bits(), storage[1]);
        }
    }
}

TEST_P(RescalePaths, ClearsEveryFourthByteAmongCleanOnes)
{
    // Pixels whose fourth bytes are mostly 0 already, as a 24-bit picture's are: one set pixel
    // per row, at each place of a vector and its tail.
    constexpr Size kSize{37, 9};
    Random random(6);
    Bytes pixels = random.Samples(Count(kSize, 4));
    for (int y = 0; y < kSize.height; ++y) {
        const int set = std::vector<int>{0, 3, 4, 7, 8, 15, 16, 31, 36}[y];
        for (int x = 0; x < kSize.width; ++x)
            pixels[(y * kSize.width + x) * 4 + 3] = x == set ? 0x80 : 0;
    }
    LoadPixels(m_Picture, kSize, pixels);
    std::vector<picture_test::Pixel> colours = picture_test::PixelsOf(m_Picture);
    for (picture_test::Pixel& pixel : colours)
        pixel &= ~picture_test::Pixel{0xFF};
    CTga destination;
    destination.CreateBlank(5, 4);
    m_Picture.RescaleInto(destination);
    picture_test::ExpectPicture(m_Picture, kSize.width, kSize.height, colours);
}

TEST_P(RescalePaths, IntoItselfKeepsTheColours)
{
    Random random(5);
    LoadPixels(m_Picture, {19, 7}, random.Samples(Count({19, 7}, 4)));
    std::vector<picture_test::Pixel> colours = picture_test::PixelsOf(m_Picture);
    for (picture_test::Pixel& pixel : colours)
        pixel &= ~picture_test::Pixel{0xFF};
    m_Picture.RescaleInto(m_Picture);
    picture_test::ExpectPicture(m_Picture, 19, 7, colours);
}

INSTANTIATE_TEST_SUITE_P(AllPaths, RescalePaths, kPaths);

} // namespace
