#include "install/SourceDrive.h"

#include "base/ReportSink.h"
#include "install/DiscLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// A launcher that does not run from a disc folder: the drive scan decides.
constexpr const char* kLauncherElsewhere = "Z:\\build\\lumbrel.exe";
// What the caller asks to be shown when no drive carries the marker.
constexpr const char* kNoCdMessage = "Can't locate the CD drive, please insert the CD";

// Records every probe; only the files in `markers` open.
class DriveSearch : public testing::Test {
protected:
    void SetUp() override
    {
        m_PreviousSink = SetReportSink([this](ReportChannel channel, std::string_view text) {
            m_Reports.emplace_back(channel, std::string(text));
        });
    }
    void TearDown() override { SetReportSink(m_PreviousSink); }

    std::string Find(const char* message, const std::string& launcherPath)
    {
        return FindSourceDrive(message, launcherPath, m_Probe);
    }

    std::set<std::string> m_Markers;
    std::vector<std::string> m_Probes;
    std::vector<std::pair<ReportChannel, std::string>> m_Reports;
    FileProbe m_Probe = [this](const std::string& path) {
        m_Probes.push_back(path);
        return m_Markers.contains(path);
    };
    ReportSink m_PreviousSink;
};

TEST_F(DriveSearch, TheFirstLetterWithTheMarkerWinsAndTheScanStopsThere)
{
    m_Markers = {MarkerPath("E:"), MarkerPath("C:")};
    EXPECT_EQ(Find(kNoCdMessage, kLauncherElsewhere), "C:");
    EXPECT_EQ(m_Probes, std::vector<std::string>{"C:\\zarn2000\\lumbrel.exe"});
    EXPECT_TRUE(m_Reports.empty());

    m_Probes.clear();
    m_Markers = {MarkerPath("Z:")};
    EXPECT_EQ(Find(kNoCdMessage, kLauncherElsewhere), "Z:");
    EXPECT_EQ(m_Probes.size(), 24u);
}

TEST_F(DriveSearch, WithoutAMarkerEveryLetterFromCToZIsProbedThenTheMessageShown)
{
    m_Markers = {MarkerPath("A:"), MarkerPath("B:")};
    EXPECT_EQ(Find(kNoCdMessage, kLauncherElsewhere), "Not Found");
    ASSERT_EQ(m_Probes.size(), 24u);
    for (size_t i = 0; i < m_Probes.size(); ++i)
        EXPECT_EQ(m_Probes[i],
                  std::string(1, static_cast<char>('C' + i)) + ":\\zarn2000\\lumbrel.exe");
    ASSERT_EQ(m_Reports.size(), 1u);
    EXPECT_EQ(m_Reports[0].first, ReportChannel::Message);
    EXPECT_EQ(m_Reports[0].second, kNoCdMessage);
}

// A marker planted on an earlier drive loses to the disc the launcher runs from, which is
// probed alone.
TEST_F(DriveSearch, TheDiscTheLauncherRunsFromComesBeforeTheScan)
{
    m_Markers = {MarkerPath("C:"), MarkerPath("E:"), IntroPicturePath("E:")};
    EXPECT_EQ(Find(kNoCdMessage, "E:\\zarn2000\\lumbrel.exe"), "E:");
    EXPECT_EQ(m_Probes, (std::vector<std::string>{"E:\\zarn2000\\lumbrel.exe",
                                                  "E:\\zarn2000\\Data\\intro.tga"}));
    EXPECT_TRUE(m_Reports.empty());
}

// A lone copy of the launcher in a zarn2000 folder (a download, a shortcut's target) is its own
// marker, but no disc: the scan finds the CD.
TEST_F(DriveSearch, ALoneLauncherInAZarn2000FolderLeavesTheChoiceToTheScan)
{
    const std::string lone = "C:\\Downloads\\zarn2000\\lumbrel.exe";
    m_Markers = {lone, MarkerPath("D:"), IntroPicturePath("D:")};
    EXPECT_EQ(Find(kNoCdMessage, lone), "D:");
    EXPECT_EQ(m_Probes,
              (std::vector<std::string>{lone, "C:\\Downloads\\zarn2000\\Data\\intro.tga",
                                        "C:\\zarn2000\\lumbrel.exe", "D:\\zarn2000\\lumbrel.exe"}));
    EXPECT_TRUE(m_Reports.empty());
}

TEST_F(DriveSearch, ADiscFolderWithoutItsMarkerFallsBackToTheScan)
{
    m_Markers = {MarkerPath("D:")};
    EXPECT_EQ(Find(kNoCdMessage, "C:\\Downloads\\zarn2000\\lumbrel.exe"), "D:");
    EXPECT_EQ(m_Probes,
              (std::vector<std::string>{"C:\\Downloads\\zarn2000\\lumbrel.exe",
                                        "C:\\zarn2000\\lumbrel.exe", "D:\\zarn2000\\lumbrel.exe"}));

    m_Probes.clear();
    m_Markers.clear();
    EXPECT_EQ(Find(kNoCdMessage, "C:\\Downloads\\zarn2000\\lumbrel.exe"), "Not Found");
    EXPECT_EQ(m_Probes.size(), 25u);
    ASSERT_EQ(m_Reports.size(), 1u);
    EXPECT_EQ(m_Reports[0].second, kNoCdMessage);
}

struct LauncherPathCase {
    const char* name;
    const char* launcherPath;
    const char* markerOnDisk; // the one marker that opens, with the intro picture beside it
    const char* probed;       // the marker probe expected, if any
    const char* expectedRoot; // null: not run from a disc
    bool japanese = false;    // the path is in code page 932

    friend void PrintTo(const LauncherPathCase& c, std::ostream* os) { *os << c.name; }
};

class LauncherRoot : public testing::TestWithParam<LauncherPathCase> {};

TEST_P(LauncherRoot, IsTheParentOfItsZarn2000FolderWhenThatHoldsTheDisc)
{
    const LauncherPathCase& c = GetParam();
    std::vector<std::string> probes;
    const LeadBytes::Range cp932[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
    const LeadBytes leadBytes = c.japanese ? LeadBytes(cp932) : LeadBytes();
    const auto probe = [&](const std::string& path) {
        probes.push_back(path);
        const std::string marker = c.markerOnDisk ? c.markerOnDisk : "";
        const std::string disc = marker.substr(0, marker.rfind("\\zarn2000\\"));
        return !marker.empty() && (path == marker || path == IntroPicturePath(disc));
    };
    const auto root = LauncherSourceRoot(c.launcherPath, probe, leadBytes);
    EXPECT_EQ(root, c.expectedRoot ? std::optional<std::string>(c.expectedRoot) : std::nullopt);
    // Once the marker opens, the intro picture under the same root is asked for.
    std::vector<std::string> expectedProbes;
    if (c.probed)
        expectedProbes.emplace_back(c.probed);
    if (c.expectedRoot)
        expectedProbes.push_back(IntroPicturePath(c.expectedRoot));
    EXPECT_EQ(probes, expectedProbes);
}

constexpr const char* kMarkerOnE = "E:\\zarn2000\\lumbrel.exe";

INSTANTIATE_TEST_SUITE_P(
    Paths, LauncherRoot,
    testing::Values(
        // A disc: the drive root, always as an upper-case letter and colon.
        LauncherPathCase{"DriveRoot", "E:\\zarn2000\\lumbrel.exe", kMarkerOnE, kMarkerOnE, "E:"},
        LauncherPathCase{"LowerCaseDriveLetter", "e:\\zarn2000\\lumbrel.exe", kMarkerOnE,
                         kMarkerOnE, "E:"},
        LauncherPathCase{"UpperCaseFolderName", "E:\\ZARN2000\\LUMBREL.EXE", kMarkerOnE, kMarkerOnE,
                         "E:"},
        LauncherPathCase{"MixedCaseFolderName", "e:\\Zarn2000\\lumbrel.exe", kMarkerOnE, kMarkerOnE,
                         "E:"},
        // The marker decides, not the launcher's own file name.
        LauncherPathCase{"RenamedLauncher", "E:\\zarn2000\\autorun.exe", kMarkerOnE, kMarkerOnE,
                         "E:"},
        // A copy of the disc in a folder, kept as it is spelt.
        LauncherPathCase{"FolderCopy", "C:\\ZarnCopy\\zarn2000\\lumbrel.exe",
                         "C:\\ZarnCopy\\zarn2000\\lumbrel.exe",
                         "C:\\ZarnCopy\\zarn2000\\lumbrel.exe", "C:\\ZarnCopy"},
        LauncherPathCase{"FolderCopyInAnyCase", "c:\\Games\\Copy\\ZARN2000\\lumbrel.exe",
                         "c:\\Games\\Copy\\zarn2000\\lumbrel.exe",
                         "c:\\Games\\Copy\\zarn2000\\lumbrel.exe", "c:\\Games\\Copy"},
        // Every launch names its program, so a space in the copy's path is harmless.
        LauncherPathCase{"FolderCopyWithASpace", "C:\\My Zarn\\zarn2000\\lumbrel.exe",
                         "C:\\My Zarn\\zarn2000\\lumbrel.exe", "C:\\My Zarn\\zarn2000\\lumbrel.exe",
                         "C:\\My Zarn"},
        LauncherPathCase{"NetworkShare", "\\\\server\\share\\zarn2000\\lumbrel.exe",
                         "\\\\server\\share\\zarn2000\\lumbrel.exe",
                         "\\\\server\\share\\zarn2000\\lumbrel.exe", "\\\\server\\share"},
        // Under a Japanese code page "C:\ゲーム\ソ" ends in byte 0x5C, which is no separator;
        // in "C:\表zarn2000" the 0x5C inside the first letter starts no folder named zarn2000.
        LauncherPathCase{"JapaneseFolderCopy",
                         "C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\\zarn2000\\lumbrel.exe",
                         "C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\\zarn2000\\lumbrel.exe",
                         "C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\\zarn2000\\lumbrel.exe",
                         "C:\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C", true},
        LauncherPathCase{"JapaneseLetterBeforeZarn2000", "C:\\\x95\x5Czarn2000\\lumbrel.exe",
                         "C:\\\x95\\zarn2000\\lumbrel.exe", nullptr, nullptr, true},
        // A zarn2000 folder whose parent lacks the marker.
        LauncherPathCase{"ParentWithoutMarker", "C:\\Downloads\\zarn2000\\lumbrel.exe", kMarkerOnE,
                         "C:\\Downloads\\zarn2000\\lumbrel.exe", nullptr},
        // Not in a zarn2000 folder: nothing is probed.
        LauncherPathCase{"OtherFolder", "E:\\setup\\lumbrel.exe", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"FolderNameLonger", "E:\\zarn2000x\\lumbrel.exe", kMarkerOnE, nullptr,
                         nullptr},
        LauncherPathCase{"FolderNameEndsSo", "E:\\myzarn2000\\lumbrel.exe", kMarkerOnE, nullptr,
                         nullptr},
        LauncherPathCase{"ZarnFolderHigherUp", "E:\\zarn2000\\setup\\lumbrel.exe", kMarkerOnE,
                         nullptr, nullptr},
        // Paths that name no place the CD's tails can be appended to.
        LauncherPathCase{"Empty", "", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"NoBackslash", "lumbrel.exe", kMarkerOnE, nullptr, nullptr},
        // The system reads '/' as a separator too.
        LauncherPathCase{"ForwardSlashes", "E:/zarn2000/lumbrel.exe", kMarkerOnE, kMarkerOnE, "E:"},
        LauncherPathCase{"TrailingBackslash", "E:\\zarn2000\\", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"RelativeFolder", "zarn2000\\lumbrel.exe", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"RelativeParent", "copy\\zarn2000\\lumbrel.exe",
                         "copy\\zarn2000\\lumbrel.exe", nullptr, nullptr},
        LauncherPathCase{"DriveRelative", "E:zarn2000\\lumbrel.exe", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"RootOfTheCurrentDrive", "\\zarn2000\\lumbrel.exe", kMarkerOnE, nullptr,
                         nullptr},
        LauncherPathCase{"ServerOnly", "\\\\zarn2000\\lumbrel.exe", kMarkerOnE, nullptr, nullptr},
        LauncherPathCase{"DoubledBackslash", "C:\\Copy\\\\zarn2000\\lumbrel.exe",
                         "C:\\Copy\\\\zarn2000\\lumbrel.exe", nullptr, nullptr}),
    [](const testing::TestParamInfo<LauncherPathCase>& param) {
        return std::string(param.param.name);
    });

} // namespace
