#include "install/InstallRecord.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct DerivedCase {
    const char* name;
    InstallRecord record;
    const char* run;
    const char* uninstall;
    const char* setup;

    friend void PrintTo(const DerivedCase& c, std::ostream* os) { *os << c.name; }
};

class DerivedStrings : public testing::TestWithParam<DerivedCase> {};

TEST_P(DerivedStrings, FollowTheRecordExactly)
{
    const DerivedCase& c = GetParam();
    EXPECT_EQ(RunCommand(c.record), c.run);
    // The command line starts with the program's path, unquoted.
    EXPECT_EQ(std::string(c.run).rfind(RunProgramPath(c.record) + " ", 0), 0u);
    EXPECT_EQ(UninstallCommand(c.record), c.uninstall);
    EXPECT_EQ(SetupCommand(c.record.SrcDrive), c.setup);
}

INSTANTIATE_TEST_SUITE_P(
    Records, DerivedStrings,
    testing::Values(
        DerivedCase{"Typical",
                    {"C:\\Games\\Zarn", "D:"},
                    "C:\\Games\\Zarn\\zarn.exe D:",
                    "C:\\windows\\isuninst.exe -f\"C:\\Games\\Zarn\\uninst.isu\"",
                    "D::\\setup\\disk1\\setup.exe"},
        // Spaces stay unquoted in the run command and quoted in the uninstall command.
        DerivedCase{"SpacesInTarget",
                    {"C:\\Program Files\\Zarn", "E"},
                    "C:\\Program Files\\Zarn\\zarn.exe E",
                    "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\"",
                    "E:\\setup\\disk1\\setup.exe"},
        // A key whose values are missing still yields the lines, built from empty texts.
        DerivedCase{"EmptyValues",
                    {"", ""},
                    "\\zarn.exe ",
                    "C:\\windows\\isuninst.exe -f\"\\uninst.isu\"",
                    ":\\setup\\disk1\\setup.exe"}),
    [](const testing::TestParamInfo<DerivedCase>& param) { return std::string(param.param.name); });

TEST(CdPaths, AppendOnlyABackslashTailToTheDrive)
{
    EXPECT_EQ(SetupPicturePath("D:"), "D:\\data\\setup.tga");
    EXPECT_EQ(HelpDirectory("D:"), "D:\\help");
    EXPECT_EQ(WebShortcutDirectory("D:"), "D:\\");
    // Without a record the paths are still built, from the empty text.
    EXPECT_EQ(SetupPicturePath(""), "\\data\\setup.tga");
    EXPECT_EQ(HelpDirectory(""), "\\help");
    EXPECT_EQ(WebShortcutDirectory(""), "\\");
}

TEST(RegistryText, StopsAtTheFirstZeroAndNeverExceeds199Characters)
{
    using namespace std::string_literals;
    EXPECT_EQ(RegistryText("C:\\Games\0garbage"s), "C:\\Games");
    EXPECT_EQ(RegistryText(""), "");
    // A DWORD value 0x41 reads as the text of its bytes.
    EXPECT_EQ(RegistryText("\x41\0\0\0"s), "A");
    // 200 bytes without a zero: the text keeps 199 of them.
    EXPECT_EQ(RegistryText(std::string(200, 'x')), std::string(199, 'x'));
    EXPECT_EQ(RegistryText(std::string(199, 'x')), std::string(199, 'x'));
}

} // namespace
