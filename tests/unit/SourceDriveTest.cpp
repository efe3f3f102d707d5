#include "app/SourceDrive.h"

#include "framework/ReportSink.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Records every probe and opens only the markers of the given drives.
class DriveScan : public testing::Test {
protected:
    FileProbe ProbeWithMarkersOn(const std::set<char>& drives)
    {
        return [this, drives](const std::string& path) {
            probes.push_back(path);
            return drives.contains(path[0]);
        };
    }

    void SetUp() override
    {
        previousSink = SetReportSink([this](ReportChannel channel, std::string_view text) {
            reports.emplace_back(channel, std::string(text));
        });
    }
    void TearDown() override { SetReportSink(previousSink); }

    std::vector<std::string> probes;
    std::vector<std::pair<ReportChannel, std::string>> reports;
    ReportSink previousSink;
};

TEST_F(DriveScan, TheFirstLetterWithTheMarkerWinsAndTheScanStopsThere)
{
    EXPECT_EQ(FindSourceDrive(kMainWindowNoCdMessage, ProbeWithMarkersOn({'E', 'C'})), "C:");
    EXPECT_EQ(probes, std::vector<std::string>{"C:\\zarn2000\\lumbrel.exe"});
    EXPECT_TRUE(reports.empty());

    probes.clear();
    EXPECT_EQ(FindSourceDrive(kMainWindowNoCdMessage, ProbeWithMarkersOn({'Z'})), "Z:");
    EXPECT_EQ(probes.size(), 24u);
}

TEST_F(DriveScan, WithoutAMarkerEveryLetterFromCToZIsProbedThenTheMessageShown)
{
    EXPECT_EQ(FindSourceDrive(kAutorunMenuNoCdMessage, ProbeWithMarkersOn({'A', 'B'})),
              "Not Found");
    ASSERT_EQ(probes.size(), 24u);
    for (size_t i = 0; i < probes.size(); ++i)
        EXPECT_EQ(probes[i],
                  std::string(1, static_cast<char>('C' + i)) + ":\\zarn2000\\lumbrel.exe");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].first, ReportChannel::Message);
    EXPECT_EQ(reports[0].second, "Can't locate the CD drive, please insert the Zarn Vellor Season "
                                 "1999-2000 CD and allow it to autorun");
}

} // namespace
