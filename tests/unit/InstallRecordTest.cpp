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

    friend void PrintTo(const DerivedCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLines : public testing::TestWithParam<DerivedCase> {};

TEST_P(CommandLines, FollowTheRecordExactly)
{
    const DerivedCase& c = GetParam();
    EXPECT_EQ(RunCommand(c.record), c.run);
    EXPECT_EQ(UninstallCommand(c.record), c.uninstall);
}

INSTANTIATE_TEST_SUITE_P(
    Records, CommandLines,
    testing::Values(
        DerivedCase{"Typical",
                    {"C:\\Games\\Zarn", "D:"},
                    "C:\\Games\\Zarn\\zarn.exe D:",
                    "C:\\windows\\isuninst.exe -f\"C:\\Games\\Zarn\\uninst.isu\""},
        // Spaces stay unquoted in the run command and quoted in the uninstall command.
        DerivedCase{"SpacesInTarget",
                    {"C:\\Program Files\\Zarn", "E"},
                    "C:\\Program Files\\Zarn\\zarn.exe E",
                    "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\""},
        // A key whose values are missing still yields the lines, built from empty texts.
        DerivedCase{
            "EmptyValues", {"", ""}, "\\zarn.exe ", "C:\\windows\\isuninst.exe -f\"\\uninst.isu\""},
        // A folder too long to read is no folder to start programs from.
        DerivedCase{"TargetTooLong", {"", "D:", true}, "", ""}),
    [](const testing::TestParamInfo<DerivedCase>& param) { return std::string(param.param.name); });

// Each form of SRCDRIVE against the four strings built on it: a drive letter gets exactly one
// colon, whether the installer recorded it or not; other forms keep the plain concatenation.
struct DriveCase {
    const char* name;
    const char* srcDrive;
    const char* setup;
    const char* picture;
    const char* help;
    const char* webShortcuts;

    friend void PrintTo(const DriveCase& c, std::ostream* os) { *os << c.name; }
};

class CdPaths : public testing::TestWithParam<DriveCase> {};

TEST_P(CdPaths, HaveOneColonAfterADriveLetter)
{
    const DriveCase& c = GetParam();
    EXPECT_EQ(SetupCommand(c.srcDrive), c.setup);
    EXPECT_EQ(SetupPicturePath(c.srcDrive), c.picture);
    EXPECT_EQ(HelpDirectory(c.srcDrive), c.help);
    EXPECT_EQ(WebShortcutDirectory(c.srcDrive), c.webShortcuts);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CdPaths,
    testing::Values(
        DriveCase{"LetterAndColon", "D:", "D:\\setup\\disk1\\setup.exe", "D:\\data\\setup.tga",
                  "D:\\help", "D:\\"},
        DriveCase{"LoneLetter", "E", "E:\\setup\\disk1\\setup.exe", "E:\\data\\setup.tga",
                  "E:\\help", "E:\\"},
        // Without a record the strings are still built, from the empty text.
        DriveCase{"Empty", "", ":\\setup\\disk1\\setup.exe", "\\data\\setup.tga", "\\help", "\\"},
        DriveCase{"Folder", "C:\\Discs\\Zarn", "C:\\Discs\\Zarn:\\setup\\disk1\\setup.exe",
                  "C:\\Discs\\Zarn\\data\\setup.tga", "C:\\Discs\\Zarn\\help", "C:\\Discs\\Zarn\\"},
        DriveCase{"Digit", "1", "1:\\setup\\disk1\\setup.exe", "1\\data\\setup.tga", "1\\help",
                  "1\\"}),
    [](const testing::TestParamInfo<DriveCase>& param) { return std::string(param.param.name); });

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
