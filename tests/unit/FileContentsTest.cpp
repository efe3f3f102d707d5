// Reading a file whole: chunk by chunk through a reader that fails, ends early or gives little at
// a time, where what was read before a read error loads exactly like a file that ended there; and
// the files on disk that are read or refused.
#include "picture/FileContents.h"

#include "PictureTestSupport.h"
#include "TestRandom.h"
#include "TgaBuilder.h"
#include "picture/tga.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using namespace picture_test;

constexpr size_t kNever = std::numeric_limits<size_t>::max();
// A file of a few MB, as the full-screen picture is: it takes several reads.
constexpr size_t kFileBytes = (size_t{5} << 19) + 7;

// A file as a drive gives it back: a read error once `failAfter` bytes were read, and at most
// `readLimit` bytes a read. It notes how far into the file it was asked to read.
struct ScriptedDrive {
    std::vector<uint8_t> bytes;
    size_t failAfter = kNever;
    size_t readLimit = kNever;
    size_t position = 0;
    size_t askedUpTo = 0;

    FileContents::ChunkReader Reader()
    {
        return [this](std::span<uint8_t> into) {
            askedUpTo = std::max(askedUpTo, position + into.size());
            const size_t end =
                std::min({bytes.size(), failAfter, position + std::min(into.size(), readLimit)});
            const size_t got = end > position ? end - position : 0;
            std::copy_n(bytes.data() + position, got, into.data());
            position += got;
            return got;
        };
    }
};

bool IsPrefix(std::span<const uint8_t> part, const std::vector<uint8_t>& whole)
{
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

// ---------------------------------------------------------------------------------------------
// Reading chunk by chunk

struct ReadCase {
    const char* name;
    uint64_t statedSize; // the size the file had when it was opened
    size_t bytesOnDrive;
    size_t failAfter;
    size_t readLimit;
    size_t kept;

    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ChunkedReads : public testing::TestWithParam<ReadCase> {};

TEST_P(ChunkedReads, KeepWhatWasReadBeforeAReadErrorOrTheEnd)
{
    const ReadCase& c = GetParam();
    ScriptedDrive drive{.bytes = Random(7).Samples(c.bytesOnDrive),
                        .failAfter = c.failAfter,
                        .readLimit = c.readLimit};
    const FileContents contents(c.statedSize, drive.Reader());
    EXPECT_EQ(contents.Bytes().size(), c.kept);
    EXPECT_EQ(static_cast<bool>(contents), c.kept != 0);
    EXPECT_TRUE(IsPrefix(contents.Bytes(), drive.bytes)) << "bytes not as the file holds them";
    EXPECT_LE(drive.askedUpTo, c.statedSize) << "asked for bytes past the file's size";
}

constexpr uint64_t kPastAnyByteRange = uint64_t{std::numeric_limits<ptrdiff_t>::max()} + 1;

INSTANTIATE_TEST_SUITE_P(
    FileContents, ChunkedReads,
    testing::Values(
        ReadCase{"WholeFile", kFileBytes, kFileBytes, kNever, kNever, kFileBytes},
        ReadCase{"ShortReads", kFileBytes, kFileBytes, kNever, 4093, kFileBytes},
        ReadCase{"ReadErrorAtOnce", kFileBytes, kFileBytes, 0, kNever, 0},
        ReadCase{"ReadErrorInsideTheFirstRead", kFileBytes, kFileBytes, 1000, kNever, 1000},
        // Where one read of 1 MiB ends and the next begins.
        ReadCase{"ReadErrorBetweenReads", kFileBytes, kFileBytes, 1 << 20, kNever, 1 << 20},
        ReadCase{"ReadErrorAfterShortReads", kFileBytes, kFileBytes, 5000, 3000, 5000},
        ReadCase{"ReadErrorBeforeTheLastByte", kFileBytes, kFileBytes, kFileBytes - 1, kNever,
                 kFileBytes - 1},
        ReadCase{"FileShorterThanItsSize", kFileBytes, kFileBytes - 100, kNever, kNever,
                 kFileBytes - 100},
        ReadCase{"FileLongerThanItsSize", kFileBytes, kFileBytes + 100, kNever, kNever, kFileBytes},
        ReadCase{"EmptyFile", 0, 0, kNever, kNever, 0},
        ReadCase{"LargerThanTheProcessCanHold", kPastAnyByteRange, 10, kNever, kNever, 0}),
    [](const testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

// ---------------------------------------------------------------------------------------------
// A read error loads like a file that ended there

// What a load returned and said, and the picture it left.
struct LoadOutcome {
    int result;
    std::vector<Report> reports;
    bool empty;
    int width;
    int height;
    std::vector<Pixel> pixels;
    TgaHeader header;
};

struct CutFile {
    const char* name;
    std::vector<uint8_t> file;
    std::vector<size_t> cuts; // every cut when empty

    friend void PrintTo(const CutFile& c, std::ostream* os) { *os << c.name; }
};

class ReadErrors : public PictureTest, public testing::WithParamInterface<CutFile> {
protected:
    // Loads into a fresh picture, as the launcher does.
    LoadOutcome LoadWith(const std::function<int(CTga&)>& load)
    {
        CTga target;
        m_Reports.clear();
        const int result = load(target);
        return {.result = result,
                .reports = m_Reports,
                .empty = target.IsEmpty(),
                .width = target.Width(),
                .height = target.Height(),
                .pixels = PixelsOf(target),
                .header = target.Header()};
    }

    static void ExpectSameLoad(const LoadOutcome& truncated, const LoadOutcome& failedRead)
    {
        EXPECT_EQ(failedRead.result, truncated.result);
        EXPECT_EQ(failedRead.reports, truncated.reports);
        EXPECT_EQ(failedRead.empty, truncated.empty);
        EXPECT_EQ(failedRead.width, truncated.width);
        EXPECT_EQ(failedRead.height, truncated.height);
        EXPECT_EQ(failedRead.header.width, truncated.header.width);
        EXPECT_EQ(failedRead.header.height, truncated.header.height);
        const auto differs = std::mismatch(failedRead.pixels.begin(), failedRead.pixels.end(),
                                           truncated.pixels.begin(), truncated.pixels.end())
                                 .first;
        EXPECT_TRUE(differs == failedRead.pixels.end() &&
                    failedRead.pixels.size() == truncated.pixels.size())
            << "pixels differ from pixel " << differs - failedRead.pixels.begin() << " on";
    }
};

TEST_P(ReadErrors, LoadLikeTheFileCutWhereTheErrorCame)
{
    const CutFile& c = GetParam();
    std::vector<size_t> cuts = c.cuts;
    if (cuts.empty())
        for (size_t cut = 0; cut <= c.file.size(); ++cut)
            cuts.push_back(cut);

    for (const size_t cut : cuts) {
        SCOPED_TRACE("read error after " + std::to_string(cut) + " bytes");
        const std::string truncated =
            Write({c.file.begin(), c.file.begin() + std::ptrdiff_t(cut)}, "truncated.tga").string();
        const LoadOutcome fromTruncated =
            LoadWith([&](CTga& target) { return target.LoadTga(truncated.c_str()); });
        ScriptedDrive drive{.bytes = c.file, .failAfter = cut};
        const LoadOutcome fromFailedRead = LoadWith([&](CTga& target) {
            return target.LoadTga(FileContents(c.file.size(), drive.Reader()));
        });
        ExpectSameLoad(fromTruncated, fromFailedRead);
        if (cut == c.file.size()) {
            EXPECT_EQ(fromFailedRead.result, 1) << "the whole file should decode";
        }
    }
}

std::vector<uint8_t> LargeUncompressedFile()
{
    return TgaBuilder(2, 24, 1024, 1024).Data(Random(5).Samples(size_t{1024} * 1024 * 3)).Bytes();
}

INSTANTIATE_TEST_SUITE_P(
    FileContents, ReadErrors,
    testing::Values(
        // Cut at every byte: inside the header, the ID field, the colour map, a run packet, a
        // raw packet and the second row's packet.
        CutFile{"ColourMappedRunLength",
                TgaBuilder(9, 8, 6, 2)
                    .Id({1, 2, 3, 4, 5})
                    .ColourMap(1, 3, 24, {10, 20, 30, 40, 50, 60, 70, 80, 90})
                    .Data({0x82, 1, 0x02, 2, 3, 0, 0x85, 3})
                    .Bytes(),
                {}},
        // A full-screen picture that takes several reads, cut inside each of them.
        CutFile{"LargeUncompressed",
                LargeUncompressedFile(),
                {0, 17, 18, 500000, (size_t{1} << 20) + 1, (size_t{3} << 20) - 5,
                 (size_t{3} << 20) + 18}}),
    [](const testing::TestParamInfo<CutFile>& param) { return std::string(param.param.name); });

// ---------------------------------------------------------------------------------------------
// Files on disk

// Descriptors this process holds open, where the system lists them; -1 elsewhere.
int OpenDescriptors()
{
#ifdef __linux__
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<int>(std::distance(begin(entries), end(entries)));
#else
    return -1;
#endif
}

using FilesOnDisk = PictureTest;

TEST_F(FilesOnDisk, AreReadWholeAndReleased)
{
    const int descriptors = OpenDescriptors();
    const std::vector<uint8_t> bytes = Random(11).Samples(kFileBytes);
    const std::filesystem::path path = Write(bytes);
    const FileContents contents(path.string().c_str());
    EXPECT_EQ(contents.Bytes().size(), bytes.size());
    EXPECT_TRUE(IsPrefix(contents.Bytes(), bytes));
    // Windows refuses to delete a file that is still open.
    EXPECT_TRUE(std::filesystem::remove(path)) << "the file is still open";
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(FilesOnDisk, AreRefusedWhenNotARegularFileWithBytes)
{
    const int descriptors = OpenDescriptors();
    const std::filesystem::path empty = Write({}, "empty.tga");
    const std::filesystem::path folder = empty.parent_path();
    EXPECT_FALSE(FileContents(empty.string().c_str()));
    EXPECT_FALSE(FileContents((folder / "missing.tga").string().c_str()));
    EXPECT_FALSE(FileContents(folder.string().c_str()));
#ifndef _WIN32
    // Opened or read as usual, a FIFO without a writer would keep the load waiting.
    const std::filesystem::path fifo = folder / "fifo.tga";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(FileContents(fifo.c_str()));
#endif
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

} // namespace
