// What the picture tests share: reports recorded in order, pixels shown as hex grids, and a
// fixture with a folder of its own for the files a test loads and for the picture trace file.
#pragma once

#include "base/ReportSink.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/tga.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace picture_test {

namespace fs = std::filesystem;

struct Report {
    ReportChannel channel;
    std::string text;

    bool operator==(const Report&) const = default;
    friend void PrintTo(const Report& r, std::ostream* os)
    {
        static constexpr const char* kNames[] = {"message", "trace", "stderr"};
        *os << kNames[static_cast<int>(r.channel)] << " \"" << r.text << "\"";
    }
};

inline Report Message(std::string text)
{
    return {ReportChannel::Message, std::move(text)};
}
inline Report Trace(std::string text)
{
    return {ReportChannel::Trace, std::move(text)};
}
inline Report StdErr(std::string text)
{
    return {ReportChannel::StdErr, std::move(text)};
}
inline Report Size(int width, int height)
{
    return Trace("Width = " + std::to_string(width) + ", Height = " + std::to_string(height));
}

inline const Report kErrorOccured = Trace("Error occured");
inline const Report kFailedBox = Message("Failed to decode tga file");

// A pixel as its 4 bytes lie in memory, read left to right: 0xBBGGRRXX.
using Pixel = uint32_t;

constexpr Pixel Px(uint8_t blue, uint8_t green, uint8_t red, uint8_t fourth = 0)
{
    return Pixel{blue} << 24 | Pixel{green} << 16 | Pixel{red} << 8 | fourth;
}

inline std::vector<Pixel> PixelsOf(const CTga& picture)
{
    std::vector<Pixel> pixels;
    const uint8_t* bytes = picture.Bits();
    for (size_t i = 0; i < size_t(picture.Width()) * size_t(picture.Height()); ++i, bytes += 4)
        pixels.push_back(Px(bytes[0], bytes[1], bytes[2], bytes[3]));
    return pixels;
}

// Rows in memory order, first row first; a mismatch shows as a diff of two grids.
inline std::string HexGrid(const std::vector<Pixel>& pixels, int width)
{
    std::ostringstream grid;
    for (size_t i = 0; i < pixels.size(); ++i) {
        char cell[10];
        std::snprintf(cell, sizeof cell, "%08x", static_cast<unsigned>(pixels[i]));
        grid << cell << ((int(i) + 1) % width == 0 ? "\n" : " ");
    }
    return grid.str();
}

inline void ExpectPicture(const CTga& picture, int width, int height,
                          const std::vector<Pixel>& expected)
{
    ASSERT_FALSE(picture.IsEmpty());
    ASSERT_EQ(picture.Width(), width);
    ASSERT_EQ(picture.Height(), height);
    ASSERT_EQ(expected.size(), size_t(width) * size_t(height)) << "bad test case";
    EXPECT_EQ(HexGrid(PixelsOf(picture), width), HexGrid(expected, width));
}

inline std::vector<uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test gets its own folder for the files it loads and the picture trace file, and records
// every report in order.
class PictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = fs::temp_directory_path() / ("tga-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_Dir);
        m_PreviousTrace = PictureTraceFile();
        SetPictureTraceFile(TracePath().string());
        m_PreviousSink = SetReportSink([this](ReportChannel c, std::string_view t) {
            m_Reports.push_back({c, std::string(t)});
        });
    }

    void TearDown() override
    {
        SetReportSink(m_PreviousSink);
        SetPictureTraceFile(m_PreviousTrace);
        std::error_code ignored;
        fs::remove_all(m_Dir, ignored);
    }

    fs::path TracePath() const { return m_Dir / "debug.err"; }

    fs::path Write(const std::vector<uint8_t>& bytes, const std::string& name = "picture.tga")
    {
        fs::path path = m_Dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    // Loads the file into `picture`, with only this load's reports in `reports`.
    int Load(const std::vector<uint8_t>& file)
    {
        const fs::path path = Write(file);
        m_Reports.clear();
        return m_Picture.LoadTga(path.string().c_str());
    }

    // The picture trace file as 32-bit words, four to a record.
    std::vector<uint32_t> TraceWords() const
    {
        const std::vector<uint8_t> bytes = ReadFile(TracePath());
        std::vector<uint32_t> words;
        for (size_t i = 0; i + 4 <= bytes.size(); i += 4)
            words.push_back(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                            uint32_t{bytes[i + 3]} << 24);
        EXPECT_EQ(bytes.size() % 16, 0u) << "records are 16 bytes";
        return words;
    }

    CTga m_Picture;
    std::vector<Report> m_Reports;

private:
    fs::path m_Dir;
    std::string m_PreviousTrace;
    ReportSink m_PreviousSink;
};

} // namespace picture_test

// Instruction-set levels by name in test names and messages.
inline void PrintTo(InstructionSet level, std::ostream* os)
{
    constexpr const char* kNames[] = {"Portable", "Sse2", "Ssse3", "Avx2"};
    *os << kNames[static_cast<int>(level)];
}
