// The TGA decoder on every instruction-set path against the plain reference decoder: random
// files of every depth, compression and colour map, cut short or lying about their packets,
// must give the same result, the same pixels and the same reports, byte for byte.
#include "PictureTestSupport.h"
#include "TestRandom.h"
#include "TgaBuilder.h"
#include "TgaReference.h"
#include "picture/ProcessorFeatures.h"
#include "picture/TgaDecoder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

namespace {

using picture_test::Report;

struct Outcome {
    TgaDecodeResult result;
    Bytes pixels;
    std::vector<Report> reports;
};

Outcome DecodeRecording(const Bytes& file, bool withReference)
{
    Outcome outcome{TgaDecodeResult::Failed, {}, {}};
    const ReportSink previous =
        SetReportSink([&outcome](ReportChannel channel, std::string_view text) {
            outcome.reports.push_back({channel, std::string(text)});
        });
    const std::optional<TgaFile> parts = ReadTgaFile(file);
    // Exactly the picture's size, so that a write past it shows under the address sanitizer.
    outcome.pixels.assign(std::size_t{parts->header.width} * parts->header.height * 4, 0);
    outcome.result = withReference
                         ? reference::DecodeTga(file, outcome.pixels.data(), outcome.pixels.size())
                         : DecodeTgaPixels(*parts, outcome.pixels.data());
    SetReportSink(previous);
    return outcome;
}

// One stored pixel of `bytes` bytes: with a colour map, often an index near the map's range
// (first stored byte the most significant), otherwise any bytes.
void AppendStoredPixel(Random& random, Bytes& data, int bytes, int indexLimit)
{
    if (indexLimit > 0 && random.Between(0, 2) != 0) {
        const auto index = static_cast<std::uint32_t>(random.Between(0, indexLimit));
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * ((bytes < 3 ? bytes : 3) - 1 - i);
            data.push_back(shift >= 0 ? static_cast<std::uint8_t>(index >> shift)
                                      : static_cast<std::uint8_t>(random.Next()));
        }
        return;
    }
    for (int i = 0; i < bytes; ++i)
        data.push_back(static_cast<std::uint8_t>(random.Next()));
}

// Mostly what the fast loops take (24 bits, no colour map, rows wider than the longest packet);
// otherwise any depth, colour map and compression, now and then cut short.
Bytes RandomFile(Random& random)
{
    const bool fastKind = random.Between(0, 1) == 0;
    const int depths[] = {8, 15, 16, 24, 32};
    const int depth = fastKind ? 24 : depths[random.Between(0, 4)];
    const int bytes = (depth + 7) / 8;
    const bool runLength = random.Between(0, 2) != 0;
    const auto imageType =
        static_cast<std::uint8_t>(runLength ? random.Between(9, 11) : random.Between(0, 3));
    const auto width = static_cast<std::uint16_t>(
        random.Between(0, 2) == 0 ? random.Between(1, 40) : random.Between(140, 400));
    const auto height = static_cast<std::uint16_t>(random.Between(1, 4));
    TgaBuilder builder(imageType, static_cast<std::uint8_t>(depth), width, height);
    if (random.Between(0, 3) == 0)
        builder.Id(random.Samples(static_cast<std::size_t>(random.Between(1, 9))));

    int indexLimit = 0;
    if (!fastKind && random.Between(0, 1) == 0) {
        const int entrySizes[] = {15, 16, 24, 32, 8};
        const int entryBits = entrySizes[random.Between(0, 4)];
        const int first = random.Between(0, 20);
        const int length = random.Between(0, 40);
        builder.ColourMap(static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(length),
                          static_cast<std::uint8_t>(entryBits),
                          random.Samples(static_cast<std::size_t>(length) * ((entryBits + 7) / 8)));
        indexLimit = first + length + 2;
    }

    Bytes data;
    for (int row = 0; row < height; ++row) {
        for (int done = 0; done < width;) {
            if (!runLength) {
                AppendStoredPixel(random, data, bytes, indexLimit);
                ++done;
                continue;
            }
            int count = random.Between(0, 3) == 0 ? random.Between(1, 128) : random.Between(1, 20);
            if (random.Between(0, 150) != 0 && done + count > width)
                count = width - done; // now and then a packet runs past its row
            const bool run = random.Between(0, 1) == 0;
            data.push_back(static_cast<std::uint8_t>((run ? 0x80 : 0) | (count - 1)));
            for (int i = 0; i < (run ? 1 : count); ++i)
                AppendStoredPixel(random, data, bytes, indexLimit);
            done += count;
        }
    }
    builder.Data(data);
    Bytes file = builder.Bytes();
    if (random.Between(0, 3) == 0)
        file.resize(static_cast<std::size_t>(random.Between(18, static_cast<int>(file.size()))));
    return file;
}

// Runs each test on one level that has row loops of its own.
class TgaPaths : public testing::TestWithParam<InstructionSet> {
protected:
    void SetUp() override
    {
        if (!SetInstructionSet(GetParam()))
            GTEST_SKIP() << "not available on this processor or build";
    }
    void TearDown() override { SetInstructionSet(ProcessorInstructionSet()); }
};

TEST_P(TgaPaths, RandomFilesDecodeAsTheReferenceDoes)
{
    Random random(1999);
    for (int trial = 0; trial < 1500; ++trial) {
        const Bytes file = RandomFile(random);
        const Outcome ours = DecodeRecording(file, false);
        const Outcome theirs = DecodeRecording(file, true);
        SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << file.size() << " bytes");
        ASSERT_EQ(ours.result, theirs.result);
        ASSERT_EQ(ours.reports, theirs.reports);
        ASSERT_EQ(ours.pixels, theirs.pixels);
    }
}

INSTANTIATE_TEST_SUITE_P(Tga, TgaPaths,
                         testing::Values(InstructionSet::Portable, InstructionSet::Sse2,
                                         InstructionSet::Ssse3),
                         testing::PrintToStringParamName());

} // namespace
