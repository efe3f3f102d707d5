// The picture's Win32 side under Wine: the DIB section that holds the pixels, and drawing them
// with GDI into a 32-bit target whose pixels are read back exactly.
#include "TempFiles.h"
#include "base/Win32Handles.h"
#include "framework/DeviceContext.h"
#include "picture/PictureTrace.h"
#include "picture/PixelSection.h"
#include "picture/tga.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string TempPath(const std::string& name)
{
    return ::TempPath("picture-win-test", name);
}

// An uncompressed TGA of 2 x 2 pixels, the file's first row being the picture's bottom row.
std::vector<uint8_t> Tga2x2(uint8_t depth, const std::vector<uint8_t>& pixels)
{
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, depth, 0};
    std::vector<uint8_t> file(sizeof header + pixels.size());
    std::copy(std::begin(header), std::end(header), file.begin());
    std::copy(pixels.begin(), pixels.end(), file.begin() + sizeof header);
    return file;
}

// A memory DC drawing into a top-down 32-bit DIB section, first filled with a sentinel colour.
class CTargetDC : public CDC {
public:
    static constexpr uint32_t kSentinel = 0x00123456;

    CTargetDC(int width, int height)
        : CDC(::CreateCompatibleDC(nullptr)), m_Width(width), m_Bitmap(NewBitmap(width, height))
    {
        m_Previous = ::SelectObject(m_hDC, m_Bitmap.get());
        for (int i = 0; i < width * height; ++i)
            std::memcpy(m_Bits + 4 * i, &kSentinel, 4);
    }
    CTargetDC(const CTargetDC&) = delete;
    CTargetDC& operator=(const CTargetDC&) = delete;
    ~CTargetDC()
    {
        // The bitmap can be deleted once it is out of the context, and the context afterwards.
        ::SelectObject(m_hDC, m_Previous);
        m_Bitmap.reset();
        ::DeleteDC(m_hDC);
    }

    // Blue, green and red of the pixel at (x, y) from the top, as 0x00RRGGBB; the fourth byte
    // is left out because GDI does not define what it writes there.
    uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        uint32_t pixel = 0;
        std::memcpy(&pixel, m_Bits + 4 * (y * m_Width + x), 4);
        return pixel & 0xFFFFFF;
    }

private:
    UniqueGdiObject NewBitmap(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        UniqueGdiObject bitmap(
            ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_Bits = static_cast<uint8_t*>(bits);
        return bitmap;
    }

    int m_Width;
    uint8_t* m_Bits = nullptr;
    UniqueGdiObject m_Bitmap;
    HGDIOBJ m_Previous = nullptr;
};

// Files and the picture trace go to the temporary folder and are removed afterwards.
class PictureWin : public testing::Test {
protected:
    void SetUp() override
    {
        m_PreviousTrace = PictureTraceFile();
        SetPictureTraceFile(TempPath("debug.err"));
    }
    void TearDown() override
    {
        ::DeleteFileA(PictureTraceFile().c_str());
        SetPictureTraceFile(m_PreviousTrace);
        ::DeleteFileA(TempPath("picture.tga").c_str());
    }

    void Load(CTga& picture, const std::vector<uint8_t>& file)
    {
        WriteFileBytes(TempPath("picture.tga"), file);
        ASSERT_EQ(picture.LoadTga(TempPath("picture.tga").c_str()), 1);
    }

private:
    std::string m_PreviousTrace;
};

TEST(PixelSectionWin, IsAZeroedDibSectionThatDeleteObjectFrees)
{
    const BitmapInfoHeader header = {40, 3, 2, 1, 32, kBiRgb, 0, 0, 0, 0, 0};
    PixelSection section(header);
    ASSERT_TRUE(section);

    DIBSECTION dib = {};
    ASSERT_EQ(::GetObjectA(section.Handle(), sizeof dib, &dib), int{sizeof dib});
    EXPECT_EQ(dib.dsBm.bmBits, section.Bits());
    EXPECT_EQ(dib.dsBmih.biWidth, 3);
    EXPECT_EQ(dib.dsBmih.biHeight, 2);
    EXPECT_EQ(dib.dsBmih.biBitCount, 32);
    EXPECT_EQ(dib.dsBm.bmWidthBytes, 12); // rows of width x 4 bytes, no padding
    EXPECT_EQ(std::vector<uint8_t>(section.Bits(), section.Bits() + 24), std::vector<uint8_t>(24));

    auto* const handle = section.Handle();
    PixelSection moved = std::move(section);
    EXPECT_FALSE(section); // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(moved.Handle(), handle);
    moved.reset();
    EXPECT_EQ(::GetObjectType(handle), 0u) << "the DIB section was not deleted";
}

TEST_F(PictureWin, DrawsNothingForAnEmptyPicture)
{
    const CTga picture;
    CTargetDC target(2, 2);
    EXPECT_EQ(picture.Draw(target, 0, 0, 2, 2), 0);
    EXPECT_EQ(target.At(0, 0), CTargetDC::kSentinel);
    EXPECT_EQ(target.At(1, 1), CTargetDC::kSentinel);
}

// The first row in memory is drawn at the bottom; the rectangle's position is honoured and
// nothing outside it is touched.
TEST_F(PictureWin, DrawsTheFirstRowAtTheBottomOfItsRectangle)
{
    CTga picture;
    Load(picture, Tga2x2(24, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06,    // bottom row
                              0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C})); // top row
    CTargetDC target(4, 3);
    EXPECT_EQ(picture.Draw(target, 1, 1, 2, 2), 1);
    EXPECT_EQ(target.At(1, 1), 0x090807u);
    EXPECT_EQ(target.At(2, 1), 0x0C0B0Au);
    EXPECT_EQ(target.At(1, 2), 0x030201u);
    EXPECT_EQ(target.At(2, 2), 0x060504u);
    EXPECT_EQ(target.At(0, 0), CTargetDC::kSentinel);
    EXPECT_EQ(target.At(3, 2), CTargetDC::kSentinel);
}

TEST_F(PictureWin, StretchesTheWholePictureInTheContextsMode)
{
    CTga picture;
    Load(picture, Tga2x2(24, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, //
                              0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C}));
    CTargetDC target(4, 4);
    ::SetStretchBltMode(target.GetSafeHdc(), COLORONCOLOR);
    EXPECT_EQ(picture.Draw(target, 0, 0, 4, 4), 1);
    const uint32_t expected[4][4] = {{0x090807, 0x090807, 0x0C0B0A, 0x0C0B0A},
                                     {0x090807, 0x090807, 0x0C0B0A, 0x0C0B0A},
                                     {0x030201, 0x030201, 0x060504, 0x060504},
                                     {0x030201, 0x030201, 0x060504, 0x060504}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.At(x, y), expected[y][x]) << "at " << x << "," << y;
}

TEST_F(PictureWin, TheFourthByteIsNotDrawn)
{
    const std::vector<uint8_t> colours = {10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0, 1, 2, 3, 0};
    std::vector<uint8_t> withFourth = colours;
    for (size_t i = 3; i < withFourth.size(); i += 4)
        withFourth[i] = 0xFF;
    CTga plain;
    CTga marked;
    Load(plain, Tga2x2(32, colours));
    Load(marked, Tga2x2(32, withFourth));
    CTargetDC first(2, 2);
    CTargetDC second(2, 2);
    plain.Draw(first, 0, 0, 2, 2);
    marked.Draw(second, 0, 0, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(first.At(x, y), second.At(x, y)) << "at " << x << "," << y;
    EXPECT_EQ(first.At(0, 1), 0x1E140Au);
}

} // namespace
