// Rescaling one picture into another through channel images.
#include "PictureTestSupport.h"
#include "TgaBuilder.h"
#include "picture/ChannelImage.h"
#include "picture/ZoomEngine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace picture_test;

class Rescale : public PictureTest {
protected:
    // A 32-bit picture whose pixels all differ, with non-zero fourth bytes.
    void LoadVaried(int width, int height)
    {
        std::vector<uint8_t> data;
        for (int i = 0; i < width * height; ++i)
            for (const int channel : {0, 1, 2, 3})
                data.push_back(static_cast<uint8_t>(i * 37 + channel * 91 + 5));
        ASSERT_EQ(
            Load(TgaBuilder(2, 32, static_cast<uint16_t>(width), static_cast<uint16_t>(height))
                     .Data(data)
                     .Bytes()),
            1);
    }

    static std::vector<Pixel> WithoutFourthBytes(std::vector<Pixel> pixels)
    {
        for (Pixel& pixel : pixels)
            pixel &= ~Pixel{0xFF};
        return pixels;
    }
};

TEST_F(Rescale, AtEqualSizeTheColoursCarryOverAndBothFourthBytesBecomeZero)
{
    LoadVaried(5, 3);
    const std::vector<Pixel> before = PixelsOf(m_Picture);
    CTga destination;
    destination.CreateBlank(5, 3);
    m_Picture.RescaleInto(destination);
    ExpectPicture(destination, 5, 3, WithoutFourthBytes(before));
    ExpectPicture(m_Picture, 5, 3, WithoutFourthBytes(before));
}

TEST_F(Rescale, EachColourIsScaledOnItsOwnWithTheDefaultFilter)
{
    LoadVaried(7, 4);
    ChannelImage planes{};
    ASSERT_EQ(m_Picture.ToChannelImage(&planes), 1);
    CTga destination;
    destination.CreateBlank(3, 9);
    m_Picture.RescaleInto(destination);

    // Byte 0 of each pixel is plane 0 at both ends, and so on: nothing is swapped.
    for (int plane = 0; plane < 3; ++plane) {
        std::vector<uint8_t> expected(size_t{3} * 9);
        ZoomSamples(planes.planes[plane], 7, 4, expected.data(), 3, 9, 1, 5);
        for (size_t p = 0; p < expected.size(); ++p)
            EXPECT_EQ(destination.Bits()[p * 4 + plane], expected[p]) << "plane " << plane;
    }
    FreeChannelImage(&planes);
}

TEST_F(Rescale, RecordsTheDestinationThenTheSource)
{
    LoadVaried(6, 2);
    CTga destination;
    destination.CreateBlank(4, 5);
    const size_t before = TraceWords().size();
    m_Picture.RescaleInto(destination);
    const std::vector<uint32_t> words = TraceWords();
    ASSERT_EQ(words.size(), before + 8);
    EXPECT_EQ(words[before + 2], 4u);
    EXPECT_EQ(words[before + 3], 5u);
    EXPECT_EQ(words[before + 6], 6u);
    EXPECT_EQ(words[before + 7], 2u);
}

TEST_F(Rescale, AnEmptySourceLeavesTheDestinationBlankAtItsSize)
{
    CTga destination;
    destination.CreateBlank(4, 3);
    m_Picture.RescaleInto(destination);
    ExpectPicture(destination, 4, 3, std::vector<Pixel>(12, 0));
    EXPECT_TRUE(m_Picture.IsEmpty());

    // Nor does an empty destination get anything, or change the source.
    LoadVaried(2, 2);
    const std::vector<Pixel> source = PixelsOf(m_Picture);
    CTga empty;
    m_Picture.RescaleInto(empty);
    EXPECT_TRUE(empty.IsEmpty());
    ExpectPicture(m_Picture, 2, 2, source);
}

} // namespace
