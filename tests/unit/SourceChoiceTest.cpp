#include "install/SourceChoice.h"

#include "install/DiscLayout.h"
#include "install/InstallRecord.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct ChoiceCase {
    const char* name;
    const char* srcDrive;
    std::optional<std::string> launcherDisc;
    std::set<std::string> files; // the files that open
    const char* chosen;
    std::vector<std::string> probed;

    friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class SourceChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(SourceChoice, KeepsTheRecordedDriveUnlessOnlyTheLaunchersDiscHoldsTheFile)
{
    const ChoiceCase& c = GetParam();
    std::vector<std::string> probed;
    const auto chosen = SourceHolding(
        c.srcDrive, c.launcherDisc, [](const std::string& root) { return SetupPicturePath(root); },
        [&](const std::string& path) {
            probed.push_back(path);
            return c.files.contains(path);
        });
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_EQ(probed, c.probed);
}

INSTANTIATE_TEST_SUITE_P(
    Discs, SourceChoice,
    testing::Values(
        // The original disc where the installer ran from: nothing else is looked at.
        ChoiceCase{"RecordedDriveHoldsIt",
                   "D:",
                   "D:",
                   {"D:\\data\\setup.tga"},
                   "D:",
                   {"D:\\data\\setup.tga"}},
        // An image mounted at a new letter, and a copy in a folder.
        ChoiceCase{"DiscAtAnotherLetter",
                   "E:",
                   "F:",
                   {"F:\\data\\setup.tga"},
                   "F:",
                   {"E:\\data\\setup.tga", "F:\\data\\setup.tga"}},
        ChoiceCase{"CopyInAFolder",
                   "E",
                   "C:\\Zarn CD",
                   {"C:\\Zarn CD\\data\\setup.tga"},
                   "C:\\Zarn CD",
                   {"E:\\data\\setup.tga", "C:\\Zarn CD\\data\\setup.tga"}},
        // Where neither has it, the record stands as it is.
        ChoiceCase{
            "NeitherHoldsIt", "E:", "F:", {}, "E:", {"E:\\data\\setup.tga", "F:\\data\\setup.tga"}},
        ChoiceCase{"NoDiscFound", "E:", std::nullopt, {"F:\\data\\setup.tga"}, "E:", {}},
        // A record without SRCDRIVE names no drive to stand in for.
        ChoiceCase{"NoDriveRecorded", "", "D:", {"D:\\data\\setup.tga"}, "", {}}),
    [](const testing::TestParamInfo<ChoiceCase>& param) { return std::string(param.param.name); });

} // namespace
