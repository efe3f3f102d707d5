// Channel images: creation statuses and starting values, partial failure, release, and which
// planes a mask resamples.
#include "picture/ChannelImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PlaneBytes(const ChannelImage& image, int plane)
{
    const std::uint8_t* samples = image.planes[plane];
    return {samples, samples + static_cast<std::size_t>(image.width) * image.height};
}

// Which planes are allocated, as a string of digits such as "0124".
std::string AllocatedPlanes(const ChannelImage& image)
{
    std::string planes;
    for (int plane = 0; plane < kChannelPlaneCount; ++plane) {
        if (image.planes[plane] != nullptr)
            planes += static_cast<char>('0' + plane);
    }
    return planes;
}

// An allocator that grants a set number of blocks, records every request, and refuses anything
// larger than a test needs.
class ChannelImageAllocation : public testing::Test {
protected:
    static void* Allocate(std::size_t bytes)
    {
        s_Requests.push_back(bytes);
        if (s_Granted <= 0 || bytes > 4096)
            return nullptr;
        --s_Granted;
        return std::malloc(bytes); // NOLINT(cppcoreguidelines-no-malloc): released by free()
    }

    static void Reset(int granted)
    {
        s_Requests.clear();
        s_Granted = granted;
    }

    static inline int s_Granted = 0;
    static inline std::vector<std::size_t> s_Requests;
};

TEST(ChannelImage, CreateGivesRequestedPlanesTheirStartingValues)
{
    struct Case {
        std::uint8_t colour;
        std::uint8_t alpha;
        std::uint8_t extra;
        int width;
        int height;
        const char* planes;
    };
    const Case cases[] = {
        {1, 0, 0, 3, 2, "012"},   {0, 1, 0, 3, 2, "3"},          {0, 0, 1, 3, 2, "4"},
        {1, 1, 1, 4, 5, "01234"}, {0, 0, 0, 3, 2, ""},           {1, 1, 1, 0, 7, "01234"},
        {1, 0, 1, 7, 0, "0124"},  {0x80, 0x80, 0, 2, 2, "0123"}, // any non-zero flag requests
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "colour " << int{c.colour} << " alpha " << int{c.alpha} << " extra "
                     << int{c.extra} << ", " << c.width << "x" << c.height);
        ChannelImage image;
        ASSERT_EQ(CreateChannelImage(&image, c.width, c.height, c.colour, c.alpha, c.extra),
                  kChannelOk);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.hasColour, c.colour);
        EXPECT_EQ(image.hasAlpha, c.alpha);
        EXPECT_EQ(image.hasExtra, c.extra);
        EXPECT_EQ(AllocatedPlanes(image), c.planes);
        const std::size_t count = static_cast<std::size_t>(c.width) * c.height;
        for (const char plane : std::string(c.planes)) {
            const std::uint8_t start = plane == '3' ? 255 : 0;
            EXPECT_EQ(PlaneBytes(image, plane - '0'), Bytes(count, start)) << "plane " << plane;
        }

        EXPECT_EQ(FreeChannelImage(&image), kChannelOk);
        EXPECT_EQ(AllocatedPlanes(image), "");
        EXPECT_EQ(FreeChannelImage(&image), kChannelOk); // a second release finds nothing
    }
}

TEST(ChannelImage, NullRecordsAreStatus7)
{
    ChannelImage image;
    ASSERT_EQ(CreateChannelImage(&image, 2, 2, 1, 0, 0), kChannelOk);
    EXPECT_EQ(CreateChannelImage(nullptr, 2, 2, 1, 1, 1), kChannelNullRecord);
    EXPECT_EQ(FreeChannelImage(nullptr), kChannelNullRecord);
    EXPECT_EQ(ResampleChannels(nullptr, 5, 7, &image), kChannelNullRecord);
    EXPECT_EQ(ResampleChannels(&image, 5, 7, nullptr), kChannelNullRecord);
    FreeChannelImage(&image);
}

TEST_F(ChannelImageAllocation, SizesThatCannotBeAllocatedAreStatus1)
{
    struct Case {
        int width;
        int height;
        bool reachesAllocator; // with the exact product of the two sizes
    };
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const bool wide = sizeof(void*) == 8;
    const Case cases[] = {
        {-1, 4, false}, {4, -1, false}, {kMin, -1, false}, {kMax, kMax, wide}, {65536, 65536, wide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        Reset(5);
        ChannelImage image;
        EXPECT_EQ(CreateChannelImage(&image, c.width, c.height, 1, 1, 1, Allocate),
                  kChannelAllocationFailed);
        EXPECT_EQ(AllocatedPlanes(image), "");
        const std::vector<std::size_t> none;
        const std::vector<std::size_t> one{static_cast<std::size_t>(
            static_cast<std::uint64_t>(c.width) * static_cast<std::uint64_t>(c.height))};
        EXPECT_EQ(s_Requests, c.reachesAllocator ? one : none);
    }
}

TEST_F(ChannelImageAllocation, FailureKeepsThePlanesAllocatedBeforeIt)
{
    // Planes are allocated extra first, then alpha, then the three colours, and creation stops at
    // the first failure. The planes already made stay in the record for FreeChannelImage, which
    // the sanitizer build checks for leaks and double frees.
    const char* const kept[] = {"", "4", "34", "034", "0134"};
    for (int granted = 0; granted < 5; ++granted) {
        SCOPED_TRACE(testing::Message() << granted << " allocations granted");
        Reset(granted);
        ChannelImage image;
        EXPECT_EQ(CreateChannelImage(&image, 3, 2, 1, 1, 1, Allocate), kChannelAllocationFailed);
        EXPECT_EQ(AllocatedPlanes(image), kept[granted]);
        EXPECT_EQ(s_Requests.size(), static_cast<std::size_t>(granted + 1));
        EXPECT_EQ(FreeChannelImage(&image), kChannelOk);
        EXPECT_EQ(AllocatedPlanes(image), "");
    }
}

// A 2 x 1 source with all five planes, plane k holding (10k, 250 - 10k), and a 4 x 1
// destination whose planes all hold a marker until resampled.
class ResampleChannelsTest : public testing::Test {
protected:
    static constexpr std::uint8_t kMarker = 0xEE;

    void SetUp() override
    {
        ASSERT_EQ(CreateChannelImage(&m_Source, 2, 1, 1, 1, 1), kChannelOk);
        ASSERT_EQ(CreateChannelImage(&m_Destination, 4, 1, 1, 1, 1), kChannelOk);
        for (int plane = 0; plane < kChannelPlaneCount; ++plane) {
            m_Source.planes[plane][0] = Low(plane);
            m_Source.planes[plane][1] = High(plane);
        }
        MarkDestination();
    }

    void MarkDestination()
    {
        for (std::uint8_t* plane : m_Destination.planes)
            std::fill_n(plane, 4, kMarker);
    }

    void TearDown() override
    {
        FreeChannelImage(&m_Source);
        FreeChannelImage(&m_Destination);
    }

    static std::uint8_t Low(int plane) { return static_cast<std::uint8_t>(10 * plane); }
    static std::uint8_t High(int plane) { return static_cast<std::uint8_t>(250 - 10 * plane); }

    ChannelImage m_Source{};
    ChannelImage m_Destination{};
};

TEST_F(ResampleChannelsTest, MaskSelectsThePlanesAndHigherBitsAreIgnored)
{
    struct Case {
        std::uint16_t mask;
        std::uint32_t filterCode;
        const char* resampled;
    };
    const Case cases[] = {
        {0, 5, ""},       {1, 5, "0"},     {2, 5, "1"},          {4, 5, "2"},
        {8, 5, "3"},      {16, 5, "4"},    {7, 5, "012"},        {7, 2, "012"},
        {31, 2, "01234"}, {0xFFE0, 5, ""}, {0xFFFF, 5, "01234"}, {0x8009, 5, "03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << ", filter " << c.filterCode);
        MarkDestination();
        EXPECT_EQ(ResampleChannels(&m_Source, c.filterCode, c.mask, &m_Destination), kChannelOk);
        for (int plane = 0; plane < kChannelPlaneCount; ++plane) {
            const bool resampled =
                std::string(c.resampled).find(char('0' + plane)) != std::string::npos;
            // Hermite puts the mean between the two samples; nearest repeats the first.
            const std::uint8_t second = c.filterCode == 2 ? Low(plane) : 125;
            const Bytes expected =
                resampled ? Bytes{Low(plane), second, High(plane), High(plane)} : Bytes(4, kMarker);
            EXPECT_EQ(PlaneBytes(m_Destination, plane), expected) << "plane " << plane;
        }
    }
}

TEST_F(ResampleChannelsTest, PlanesMissingFromEitherRecordAreSkipped)
{
    ChannelImage colourOnly;
    ASSERT_EQ(CreateChannelImage(&colourOnly, 4, 1, 1, 0, 0), kChannelOk);

    EXPECT_EQ(ResampleChannels(&m_Source, 5, 31, &colourOnly), kChannelOk);
    EXPECT_EQ(PlaneBytes(colourOnly, 2), (Bytes{Low(2), 125, High(2), High(2)}));

    ChannelImage colourSource;
    ASSERT_EQ(CreateChannelImage(&colourSource, 2, 1, 1, 0, 0), kChannelOk);
    EXPECT_EQ(ResampleChannels(&colourSource, 5, 31, &m_Destination), kChannelOk);
    EXPECT_EQ(PlaneBytes(m_Destination, 3), Bytes(4, kMarker));
    EXPECT_EQ(PlaneBytes(m_Destination, 4), Bytes(4, kMarker));

    FreeChannelImage(&colourOnly);
    FreeChannelImage(&colourSource);
}

} // namespace
