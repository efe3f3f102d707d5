// The picture object and the TGA decoder: files built byte by byte for each depth, colour map,
// compression and failure, and files that real encoders wrote from pictures we know.
#include "picture/tga.h"

#include "PictureTestSupport.h"
#include "TgaBuilder.h"
#include "base/ReportSink.h"
#include "picture/PictureTrace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace picture_test;
using TgaTest = PictureTest;

static_assert(!std::is_copy_constructible_v<CTga> && !std::is_copy_assignable_v<CTga>);

uint32_t Low32(const void* address)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
}

// ---------------------------------------------------------------------------------------------
// The picture object

TEST(Picture, StartsEmptyAndNamesItsClass)
{
    const CTga picture;
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.InfoHeader(), nullptr);
    EXPECT_EQ(picture.Bits(), nullptr);
    EXPECT_STREQ(picture.GetRuntimeClass()->m_lpszClassName, "CTga");
    EXPECT_TRUE(picture.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST_F(TgaTest, CreateBlankMakesAZeroedBottomUpPictureAndOneTraceRecord)
{
    ASSERT_EQ(m_Picture.CreateBlank(3, 2), 1);

    const BitmapInfoHeader& h = *m_Picture.InfoHeader();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, 2); // positive: bottom-up
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biYPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(h.biClrImportant, 0u);
    ExpectPicture(m_Picture, 3, 2, std::vector<Pixel>(6, 0));

    EXPECT_EQ(TraceWords(), (std::vector<uint32_t>{Low32(m_Picture.Bits()),
                                                   Low32(m_Picture.InfoHeader()), 3, 2}));
}

TEST_F(TgaTest, CreatePixelsReplacesThePictureAndClearKeepsTheHeaderRecord)
{
    ASSERT_EQ(Load(TgaBuilder(2, 24, 1, 1).Data({1, 2, 3}).Bytes()), 1);
    ASSERT_EQ(m_Picture.CreatePixels(2, 1), 1);
    ExpectPicture(m_Picture, 2, 1, {0, 0}); // the loaded pixel is gone
    ASSERT_EQ(m_Picture.CreatePixels(1, 3), 1);
    ExpectPicture(m_Picture, 1, 3, {0, 0, 0});
    const std::vector<uint32_t> words = TraceWords();
    ASSERT_EQ(words.size(), 12u);
    EXPECT_EQ(words[10], 1u);
    EXPECT_EQ(words[11], 3u);

    m_Picture.Clear();
    EXPECT_TRUE(m_Picture.IsEmpty());
    EXPECT_EQ(m_Picture.Bits(), nullptr);
    EXPECT_EQ(m_Picture.Header().width, 1); // from the load
    m_Picture.Clear();
    EXPECT_TRUE(m_Picture.IsEmpty());
    EXPECT_EQ(TraceWords().size(), 12u);
}

TEST_F(TgaTest, PicturesWorkWithoutATraceFile)
{
    SetPictureTraceFile((fs::path(TracePath()) / "no-such-folder" / "debug.err").string());
    EXPECT_EQ(m_Picture.CreateBlank(2, 2), 1);
    ExpectPicture(m_Picture, 2, 2, {0, 0, 0, 0});
}

struct RefusedSize {
    int width;
    int height;
};

class RefusedSizes : public TgaTest, public testing::WithParamInterface<RefusedSize> {};

// No buffer can be had for these, so the picture ends up empty (a previous one is freed first)
// and the record says so with two zero addresses.
TEST_P(RefusedSizes, LeaveThePictureEmptyAndRecordNoAddresses)
{
    const auto [width, height] = GetParam();
    ASSERT_EQ(m_Picture.CreateBlank(4, 4), 1);
    EXPECT_EQ(m_Picture.CreatePixels(width, height), 0);
    EXPECT_TRUE(m_Picture.IsEmpty());
    EXPECT_EQ(m_Picture.Bits(), nullptr);
    const std::vector<uint32_t> words = TraceWords();
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(
        std::vector<uint32_t>(words.begin() + 4, words.end()),
        (std::vector<uint32_t>{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height)}));
}

INSTANTIATE_TEST_SUITE_P(Picture, RefusedSizes,
                         testing::Values(RefusedSize{0, 5}, RefusedSize{5, 0}, RefusedSize{-1, 5},
                                         RefusedSize{5, -2}, RefusedSize{65535, 65535},
                                         RefusedSize{32768, 16384}, // exactly 2^31 bytes
                                         RefusedSize{2147483647, 2}));

// ---------------------------------------------------------------------------------------------
// Files that decode

struct DecodeCase {
    const char* name;
    std::vector<uint8_t> file;
    int width;
    int height;
    std::vector<Pixel> pixels; // in memory order: the file's first row first

    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

// 16-bit colours as stored (little-endian), and what each becomes: 5 bits a channel shifted up by
// 3, bit 15 ignored.
const std::vector<uint8_t> kStored16 = {0xFF, 0x7F, 0xFF, 0xFF, 0x1F, 0x00, 0xE0,
                                        0x03, 0x00, 0x7C, 0x00, 0x80, 0x10, 0x42};
const std::vector<Pixel> kExpanded16 = {Px(248, 248, 248), Px(248, 248, 248), Px(248, 0, 0),
                                        Px(0, 248, 0),     Px(0, 0, 248),     0,
                                        Px(128, 128, 128)};

DecodeCase Uncompressed16(const char* name, uint8_t depth)
{
    return {name, TgaBuilder(2, depth, 7, 1).Data(kStored16).Bytes(), 7, 1, kExpanded16};
}

// A 3-entry map stored with each entry size, and the pixels its entries give.
const std::vector<Pixel> kMapColours = {Px(10, 20, 30), Px(40, 50, 60), Px(70, 80, 90)};
const std::vector<uint8_t> kMap24 = {10, 20, 30, 40, 50, 60, 70, 80, 90};

DecodeCase Mapped8(const char* name, uint8_t entryBits, std::vector<uint8_t> entries,
                   std::vector<Pixel> colours)
{
    return {name,
            TgaBuilder(1, 8, 4, 1)
                .ColourMap(0, 3, entryBits, std::move(entries))
                .Data({2, 0, 1, 2})
                .Bytes(),
            4,
            1,
            {colours[2], colours[0], colours[1], colours[2]}};
}

class DecodedFiles : public TgaTest, public testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodedFiles, GiveTheStoredColoursInFileOrder)
{
    const DecodeCase& c = GetParam();
    ASSERT_EQ(Load(c.file), 1);
    ExpectPicture(m_Picture, c.width, c.height, c.pixels);
    EXPECT_EQ(m_Reports, std::vector<Report>{Size(c.width, c.height)});
}

INSTANTIATE_TEST_SUITE_P(
    Tga, DecodedFiles,
    testing::Values(
        DecodeCase{"Uncompressed24",
                   TgaBuilder(2, 24, 2, 2).Data({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Bytes(),
                   2,
                   2,
                   {Px(1, 2, 3), Px(4, 5, 6), Px(7, 8, 9), Px(10, 11, 12)}},
        // An odd width leaves pixels after the last whole group of four.
        DecodeCase{"Uncompressed24OddWidth",
                   TgaBuilder(2, 24, 5, 1)
                       .Data({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
                       .Bytes(),
                   5,
                   1,
                   {Px(1, 2, 3), Px(4, 5, 6), Px(7, 8, 9), Px(10, 11, 12), Px(13, 14, 15)}},
        DecodeCase{"Uncompressed32KeepsTheFourthByte",
                   TgaBuilder(2, 32, 2, 1).Data({1, 2, 3, 0, 4, 5, 6, 0xAB}).Bytes(),
                   2,
                   1,
                   {Px(1, 2, 3, 0), Px(4, 5, 6, 0xAB)}},
        Uncompressed16("Uncompressed16", 16), Uncompressed16("Uncompressed15LikeSixteen", 15),
        DecodeCase{"IdFieldSkipped",
                   TgaBuilder(2, 24, 1, 1).Id({9, 9, 9, 9}).Data({1, 2, 3}).Bytes(),
                   1,
                   1,
                   {Px(1, 2, 3)}},
        // The origin bits of the descriptor are ignored: no flip, no mirror.
        DecodeCase{"OriginBitsIgnored",
                   TgaBuilder(2, 24, 2, 2)
                       .Descriptor(0x30)
                       .Data({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                       .Bytes(),
                   2,
                   2,
                   {Px(1, 2, 3), Px(4, 5, 6), Px(7, 8, 9), Px(10, 11, 12)}},
        Mapped8("Mapped8Entries24", 24, kMap24, kMapColours),
        Mapped8("Mapped8Entries32KeepTheFourthByte", 32,
                {10, 20, 30, 1, 40, 50, 60, 2, 70, 80, 90, 3},
                {Px(10, 20, 30, 1), Px(40, 50, 60, 2), Px(70, 80, 90, 3)}),
        Mapped8("Mapped8Entries16", 16, {0x1F, 0x00, 0xE0, 0x83, 0x00, 0x7C},
                {Px(248, 0, 0), Px(0, 248, 0), Px(0, 0, 248)}),
        Mapped8("Mapped8Entries15", 15, {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C},
                {Px(248, 0, 0), Px(0, 248, 0), Px(0, 0, 248)}),
        // First entry 16, two entries: 10 and 15 lie below, 18 and 255 beyond; all black.
        DecodeCase{"IndexesOutsideTheMapGiveBlack",
                   TgaBuilder(1, 8, 6, 1)
                       .ColourMap(16, 2, 24, {1, 2, 3, 4, 5, 6})
                       .Data({10, 15, 16, 17, 18, 255})
                       .Bytes(),
                   6,
                   1,
                   {0, 0, Px(1, 2, 3), Px(4, 5, 6), 0, 0}},
        // True-colour pixels are looked up too, the first stored byte the most significant:
        // (0,1,0) is 256, (0,1,1) 257, (1,0,0) 65536 (beyond), (0,0,255) 255 (below).
        DecodeCase{"TrueColour24LookedUpInItsMap",
                   TgaBuilder(2, 24, 4, 1)
                       .ColourMap(256, 2, 24, {1, 2, 3, 4, 5, 6})
                       .Data({0, 1, 0, 0, 1, 1, 1, 0, 0, 0, 0, 255})
                       .Bytes(),
                   4,
                   1,
                   {Px(1, 2, 3), Px(4, 5, 6), 0, 0}},
        DecodeCase{"TrueColour16LookedUpInItsMap",
                   TgaBuilder(2, 16, 3, 1)
                       .ColourMap(256, 2, 24, {1, 2, 3, 4, 5, 6})
                       .Data({1, 0, 1, 1, 0, 1})
                       .Bytes(),
                   3,
                   1,
                   {Px(1, 2, 3), Px(4, 5, 6), 0}},
        DecodeCase{"TrueColour32LookedUpIgnoringTheFourthByte",
                   TgaBuilder(2, 32, 2, 1)
                       .ColourMap(1, 2, 32, {1, 2, 3, 4, 5, 6, 7, 8})
                       .Data({0, 0, 1, 0xFF, 0, 0, 2, 0x00})
                       .Bytes(),
                   2,
                   1,
                   {Px(1, 2, 3, 4), Px(5, 6, 7, 8)}},
        // 0x83: a run of 4; 0x00: one raw pixel; 0x02: three raw pixels; 0x81: a run of 2.
        DecodeCase{"RunAndRawPackets",
                   TgaBuilder(10, 24, 5, 2)
                       .Data({0x83, 1,  2,  3,  0x00, 4,  5,  6,    0x02, 7,  8,
                              9,    10, 11, 12, 13,   14, 15, 0x81, 16,   17, 18})
                       .Bytes(),
                   5,
                   2,
                   {Px(1, 2, 3), Px(1, 2, 3), Px(1, 2, 3), Px(1, 2, 3), Px(4, 5, 6), Px(7, 8, 9),
                    Px(10, 11, 12), Px(13, 14, 15), Px(16, 17, 18), Px(16, 17, 18)}},
        DecodeCase{"PacketsOf128",
                   [] {
                       std::vector<uint8_t> data = {0xFF, 7, 7, 7, 0x7F};
                       for (int i = 0; i < 128; ++i)
                           data.insert(data.end(), {uint8_t(i), 0, 0});
                       return TgaBuilder(10, 24, 128, 2).Data(data).Bytes();
                   }(),
                   128, 2,
                   [] {
                       std::vector<Pixel> pixels(128, Px(7, 7, 7));
                       for (int i = 0; i < 128; ++i)
                           pixels.push_back(Px(uint8_t(i), 0, 0));
                       return pixels;
                   }()},
        DecodeCase{"RunsRepeatTheFourthByte",
                   TgaBuilder(10, 32, 3, 1).Data({0x82, 1, 2, 3, 0xCD}).Bytes(),
                   3,
                   1,
                   {Px(1, 2, 3, 0xCD), Px(1, 2, 3, 0xCD), Px(1, 2, 3, 0xCD)}},
        DecodeCase{
            "RunLengthMapped8",
            TgaBuilder(9, 8, 4, 1).ColourMap(0, 3, 24, kMap24).Data({0x81, 1, 0x01, 2, 0}).Bytes(),
            4,
            1,
            {kMapColours[1], kMapColours[1], kMapColours[2], kMapColours[0]}},
        DecodeCase{"RunLength16",
                   TgaBuilder(10, 16, 3, 1).Data({0x81, 0x1F, 0x00, 0x00, 0x00, 0x7C}).Bytes(),
                   3,
                   1,
                   {Px(248, 0, 0), Px(248, 0, 0), Px(0, 0, 248)}}),
    [](const testing::TestParamInfo<DecodeCase>& param) { return std::string(param.param.name); });

// Image types 0 to 3 are uncompressed and every other value run-length encoded. The same bytes
// read either way give different pixels: as a packet 0x81 is a run of two.
class ImageTypes : public TgaTest, public testing::WithParamInterface<int> {};

TEST_P(ImageTypes, AboveThreeAreRunLengthEncoded)
{
    const int type = GetParam();
    ASSERT_EQ(Load(TgaBuilder(uint8_t(type), 24, 2, 1).Data({0x81, 1, 2, 3, 4, 5}).Bytes()), 1);
    if (type <= 3)
        ExpectPicture(m_Picture, 2, 1, {Px(0x81, 1, 2), Px(3, 4, 5)});
    else
        ExpectPicture(m_Picture, 2, 1, {Px(1, 2, 3), Px(1, 2, 3)});
}

INSTANTIATE_TEST_SUITE_P(Tga, ImageTypes, testing::Values(0, 1, 2, 3, 4, 9, 10, 11, 128, 255));

// ---------------------------------------------------------------------------------------------
// Files that fail

enum class After { Unchanged, Empty, Pixels };

struct FailCase {
    const char* name;
    std::optional<std::vector<uint8_t>> file; // none: no file at all
    std::vector<Report> reports;
    After after;
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels = {};

    friend void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name; }
};

// Every failing load starts from a picture loaded before, to show what the failure keeps.
class FailedLoads : public TgaTest, public testing::WithParamInterface<FailCase> {};

TEST_P(FailedLoads, ReportInOrderAndKeepWhatTheyShould)
{
    const FailCase& c = GetParam();
    ASSERT_EQ(Load(TgaBuilder(2, 24, 1, 2).Data({1, 2, 3, 4, 5, 6}).Bytes()), 1);
    const uint8_t* previousBits = m_Picture.Bits();

    m_Reports.clear();
    const int result =
        c.file ? Load(*c.file)
               : m_Picture.LoadTga(TracePath().replace_filename("missing.tga").string().c_str());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(m_Reports, c.reports);
    switch (c.after) {
    case After::Unchanged:
        EXPECT_EQ(m_Picture.Bits(), previousBits);
        ExpectPicture(m_Picture, 1, 2, {Px(1, 2, 3), Px(4, 5, 6)});
        break;
    case After::Empty:
        EXPECT_TRUE(m_Picture.IsEmpty());
        break;
    case After::Pixels:
        ExpectPicture(m_Picture, c.width, c.height, c.pixels);
        break;
    }
    if (c.reports.size() < 2) { // the header was never read
        EXPECT_EQ(m_Picture.Header().width, 1);
    }
}

const auto kNoPalette = Trace("Can't decode 8 bit / pixel image without a palette.\n");

std::vector<Report> DepthRefused(int depth)
{
    return {Size(2, 2),
            Trace("Can't decode TGA - Only 8,15,16,24 and 32 bit TGA accepted. (ie not " +
                  std::to_string(depth) + ")\n"),
            kErrorOccured, kFailedBox};
}

INSTANTIATE_TEST_SUITE_P(
    Tga, FailedLoads,
    testing::Values(
        FailCase{"MissingFile", std::nullopt, {Message("Empty tga file")}, After::Unchanged},
        FailCase{
            "EmptyFile", std::vector<uint8_t>{}, {Message("Empty tga file")}, After::Unchanged},
        FailCase{"CutInsideTheHeader",
                 [] {
                     auto file = TgaBuilder(2, 24, 2, 2).Bytes();
                     file.resize(17);
                     return file;
                 }(),
                 {kErrorOccured, kFailedBox},
                 After::Unchanged},
        FailCase{"Depth1", TgaBuilder(3, 1, 2, 2).Data({0xFF}).Bytes(), DepthRefused(1),
                 After::Unchanged},
        FailCase{"Depth4", TgaBuilder(1, 4, 2, 2).Data({0xFF, 0xFF}).Bytes(), DepthRefused(4),
                 After::Unchanged},
        FailCase{"Depth0", TgaBuilder(2, 0, 2, 2).Bytes(), DepthRefused(0), After::Unchanged},
        FailCase{"Depth33", TgaBuilder(2, 33, 2, 2).Bytes(), DepthRefused(33), After::Unchanged},
        // Grey-scale files have 8-bit pixels and no colour map: a black picture of their size.
        FailCase{"Grey8WithoutColourMap",
                 TgaBuilder(3, 8, 2, 2).Data({1, 2, 3, 4}).Bytes(),
                 {Size(2, 2), kNoPalette, kErrorOccured, kFailedBox},
                 After::Pixels,
                 2,
                 2,
                 {0, 0, 0, 0}},
        // The entry size is only checked for an index inside the map: the first two pass as black.
        FailCase{"UnsupportedEntrySize",
                 TgaBuilder(1, 8, 4, 1).ColourMap(1, 2, 8, {7, 7}).Data({0, 5, 1, 2}).Bytes(),
                 {Size(4, 1), StdErr("Can't decode palette of depth 8 bits per pixel.\n"),
                  kErrorOccured, kFailedBox},
                 After::Pixels,
                 4,
                 1,
                 {0, 0, 0, 0}},
        FailCase{"CutInsideTheColourMap",
                 TgaBuilder(1, 8, 2, 1).ColourMap(0, 4, 24, {1, 2, 3, 4, 5}).Bytes(),
                 {Size(2, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 2,
                 1,
                 {0, 0}},
        FailCase{"IdFieldPastTheEnd",
                 [] {
                     auto file = TgaBuilder(2, 24, 1, 1).Data({1, 2, 3}).Bytes();
                     file[0] = 200;
                     return file;
                 }(),
                 {Size(1, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 1,
                 1,
                 {0}},
        FailCase{"CutInsideUncompressedPixels",
                 TgaBuilder(2, 24, 3, 1).Data({1, 2, 3, 4, 5, 6, 7, 8}).Bytes(),
                 {Size(3, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 3,
                 1,
                 {Px(1, 2, 3), Px(4, 5, 6), 0}},
        FailCase{"CutInsideARawPacket",
                 TgaBuilder(10, 24, 4, 1).Data({0x03, 1, 2, 3, 4, 5, 6, 7}).Bytes(),
                 {Size(4, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 4,
                 1,
                 {Px(1, 2, 3), Px(4, 5, 6), 0, 0}},
        FailCase{"CutInsideARunPacket",
                 TgaBuilder(10, 32, 2, 1).Data({0x81, 1, 2, 3}).Bytes(),
                 {Size(2, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 2,
                 1,
                 {0, 0}},
        FailCase{"CutBeforeAPacketHeader",
                 TgaBuilder(10, 24, 1, 2).Data({0x80, 1, 2, 3}).Bytes(),
                 {Size(1, 2), kErrorOccured, kFailedBox},
                 After::Pixels,
                 1,
                 2,
                 {Px(1, 2, 3), 0}},
        FailCase{"MapEntryCutOffByTheEnd",
                 TgaBuilder(1, 8, 1, 1).ColourMap(0, 2, 24, {1, 2, 3, 4}).Bytes(),
                 {Size(1, 1), kErrorOccured, kFailedBox},
                 After::Pixels,
                 1,
                 1,
                 {0}},
        // No pixel buffer can be made for these: the old picture is gone and nothing is decoded.
        FailCase{"HugeSize",
                 TgaBuilder(2, 24, 65535, 65535).Data({1, 2, 3}).Bytes(),
                 {Size(65535, 65535), kErrorOccured, kFailedBox},
                 After::Empty},
        FailCase{"ZeroWidth",
                 TgaBuilder(2, 24, 0, 5).Data({1, 2, 3}).Bytes(),
                 {Size(0, 5), kErrorOccured, kFailedBox},
                 After::Empty},
        FailCase{"ZeroHeight",
                 TgaBuilder(10, 24, 5, 0).Bytes(),
                 {Size(5, 0), kErrorOccured, kFailedBox},
                 After::Empty}),
    [](const testing::TestParamInfo<FailCase>& param) { return std::string(param.param.name); });

// A packet may end exactly at the end of its row; one that runs past it fails with a line on the
// standard error stream only, keeping what was decoded before it.
TEST_F(TgaTest, PacketsMustEndWithinTheirRow)
{
    auto file = [](uint8_t lastPacket) {
        std::vector<uint8_t> data = {0x07};
        for (uint8_t i = 1; i <= 8; ++i)
            data.insert(data.end(), {i, i, i});
        data.insert(data.end(), {lastPacket, 9, 9, 9});
        return TgaBuilder(10, 24, 10, 2).Data(data).Data({0x89, 5, 5, 5}).Bytes();
    };
    std::vector<Pixel> row0;
    for (uint8_t i = 1; i <= 8; ++i)
        row0.push_back(Px(i, i, i));

    ASSERT_EQ(Load(file(0x81)), 1); // n = 2 at pixel 8 of 10
    std::vector<Pixel> whole = row0;
    whole.insert(whole.end(), {Px(9, 9, 9), Px(9, 9, 9)});
    whole.insert(whole.end(), 10, Px(5, 5, 5));
    ExpectPicture(m_Picture, 10, 2, whole);

    EXPECT_EQ(Load(file(0x82)), 0); // n = 3 at pixel 8 of 10
    EXPECT_EQ(m_Reports, (std::vector<Report>{Size(10, 2), StdErr("Error in compressed data.\n")}));
    std::vector<Pixel> partial = row0;
    partial.resize(20, 0);
    ExpectPicture(m_Picture, 10, 2, partial);
}

TEST_F(TgaTest, LoadRecordsItsPictureOnceTheHeaderIsAccepted)
{
    ASSERT_EQ(Load(TgaBuilder(2, 24, 2, 1).Data({1, 2, 3, 4, 5, 6}).Bytes()), 1);
    EXPECT_EQ(Load(TgaBuilder(2, 4, 2, 1).Bytes()), 0); // refused depth: no new picture
    EXPECT_EQ(Load(TgaBuilder(2, 24, 65535, 65535).Bytes()), 0);

    const std::vector<uint32_t> words = TraceWords();
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(std::vector<uint32_t>(words.begin() + 2, words.begin() + 4),
              (std::vector<uint32_t>{2, 1}));
    EXPECT_EQ(std::vector<uint32_t>(words.begin() + 4, words.end()),
              (std::vector<uint32_t>{0, 0, 65535, 65535}));
}

// ---------------------------------------------------------------------------------------------
// Files written by real encoders (tests/unit/fixtures/make-fixtures.sh made them)

struct Netpbm {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> samples;
};

// Binary PPM (P6) or PGM (P5) with a maximum of 255 and no comments, as the script writes them.
Netpbm ReadNetpbm(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Netpbm image;
    in >> magic >> image.width >> image.height >> maximum;
    in.get();
    image.channels = magic == "P6" ? 3 : 1;
    image.samples.resize(size_t(image.width) * size_t(image.height) * size_t(image.channels));
    in.read(reinterpret_cast<char*>(image.samples.data()), std::streamsize(image.samples.size()));
    EXPECT_TRUE(in && maximum == 255 && (magic == "P6" || magic == "P5")) << path;
    return image;
}

fs::path FixturePath(const char* name)
{
    std::string dir = TGA_FIXTURES_DIR;
#ifdef _WIN32
    if (dir.starts_with('/'))
        dir = "Z:" + dir; // under Wine the host's root is drive Z:, whatever the current drive
#endif
    return fs::path(dir) / name;
}

struct EncodedCase {
    const char* file;
    bool alpha; // 32-bit: the fourth byte carries alpha.pgm

    friend void PrintTo(const EncodedCase& c, std::ostream* os) { *os << c.file; }
};

class EncodedFiles : public TgaTest, public testing::WithParamInterface<EncodedCase> {};

// The decoder stores the file's rows in file order, so the expected memory rows follow the
// orientation the encoder chose (these encoders store the bottom row first).
TEST_P(EncodedFiles, DecodeToThePictureTheEncoderWasGiven)
{
    const EncodedCase& c = GetParam();
    const Netpbm rgb = ReadNetpbm(FixturePath("picture.ppm"));
    const Netpbm alpha = ReadNetpbm(FixturePath("alpha.pgm"));
    const std::vector<uint8_t> tga = ReadFile(FixturePath(c.file));
    ASSERT_GE(tga.size(), 18u);
    const bool topRowFirst = tga[17] & 0x20;

    ASSERT_EQ(m_Picture.LoadTga(FixturePath(c.file).string().c_str()), 1)
        << testing::PrintToString(m_Reports);
    EXPECT_EQ(m_Reports, std::vector<Report>{Size(rgb.width, rgb.height)});
    std::vector<Pixel> expected;
    for (int row = 0; row < rgb.height; ++row) {
        const int y = topRowFirst ? row : rgb.height - 1 - row;
        for (int x = 0; x < rgb.width; ++x) {
            const size_t i = size_t(y) * size_t(rgb.width) + size_t(x);
            const uint8_t* p = &rgb.samples[i * 3];
            expected.push_back(Px(p[2], p[1], p[0], c.alpha ? alpha.samples[i] : 0));
        }
    }
    ExpectPicture(m_Picture, rgb.width, rgb.height, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tga, EncodedFiles,
    testing::Values(EncodedCase{"im-raw24.tga", false}, EncodedCase{"im-rle24.tga", false},
                    EncodedCase{"im-mapped8.tga", false}, EncodedCase{"im-rle-mapped8.tga", false},
                    EncodedCase{"nb-raw24.tga", false}, EncodedCase{"nb-rle24.tga", false},
                    EncodedCase{"nb-cmap.tga", false}, EncodedCase{"pil-raw32.tga", true},
                    EncodedCase{"pil-rle32.tga", true}),
    [](const testing::TestParamInfo<EncodedCase>& param) {
        std::string name = param.param.file;
        name.resize(name.find('.'));
        std::erase(name, '-');
        return name;
    });

// A grey-scale file from a real encoder is 8-bit without a colour map, which the decoder refuses.
TEST_F(TgaTest, GreyScaleFromAnEncoderIsRefused)
{
    EXPECT_EQ(m_Picture.LoadTga(FixturePath("nb-grey8.tga").string().c_str()), 0);
    EXPECT_EQ(m_Reports, (std::vector<Report>{Size(13, 7), kNoPalette, kErrorOccured, kFailedBox}));
    ExpectPicture(m_Picture, 13, 7, std::vector<Pixel>(size_t{13} * 7, 0));
}

} // namespace
