#include "install/InstallRecord.h"

#include "install/DiscLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct DerivedCase {
    const char* name;
    InstallRecord record;
    const char* game;
    const char* run;
    const char* uninstaller;
    const char* uninstall;

    friend void PrintTo(const DerivedCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLines : public testing::TestWithParam<DerivedCase> {};

TEST_P(CommandLines, FollowTheRecordExactlyAndBeginWithTheirProgram)
{
    const DerivedCase& c = GetParam();
    EXPECT_EQ(GameProgram(c.record), c.game);
    EXPECT_EQ(RunCommand(c.record), c.run);
    EXPECT_EQ(UninstallProgram(c.record), c.uninstaller);
    EXPECT_EQ(UninstallCommand(c.record), c.uninstall);
}

constexpr const char* kUninstaller = "C:\\windows\\isuninst.exe";

INSTANTIATE_TEST_SUITE_P(
    Records, CommandLines,
    testing::Values(
        DerivedCase{"Typical",
                    {"C:\\Games\\Zarn", "D:"},
                    "C:\\Games\\Zarn\\zarn.exe",
                    "C:\\Games\\Zarn\\zarn.exe D:",
                    kUninstaller,
                    "C:\\windows\\isuninst.exe -f\"C:\\Games\\Zarn\\uninst.isu\""},
        // Spaces stay unquoted in the run command and quoted in the uninstall command.
        DerivedCase{"SpacesInTarget",
                    {"C:\\Program Files\\Zarn", "E"},
                    "C:\\Program Files\\Zarn\\zarn.exe",
                    "C:\\Program Files\\Zarn\\zarn.exe E",
                    kUninstaller,
                    "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\""},
        // The folder as the installer wrote it, whatever it holds.
        DerivedCase{"ExeInTarget",
                    {"C:\\Games\\Zarn.exe Edition", "D:"},
                    "C:\\Games\\Zarn.exe Edition\\zarn.exe",
                    "C:\\Games\\Zarn.exe Edition\\zarn.exe D:",
                    kUninstaller,
                    "C:\\windows\\isuninst.exe -f\"C:\\Games\\Zarn.exe Edition\\uninst.isu\""},
        DerivedCase{"SlashesInTarget",
                    {"C:/Games/Zarn", "D:"},
                    "C:/Games/Zarn\\zarn.exe",
                    "C:/Games/Zarn\\zarn.exe D:",
                    kUninstaller,
                    "C:\\windows\\isuninst.exe -f\"C:/Games/Zarn\\uninst.isu\""},
        // A key whose values are missing still yields the lines, built from empty texts.
        DerivedCase{"EmptyValues",
                    {"", ""},
                    "\\zarn.exe",
                    "\\zarn.exe ",
                    kUninstaller,
                    "C:\\windows\\isuninst.exe -f\"\\uninst.isu\""},
        // A folder too long to read is no folder to start programs from.
        DerivedCase{"TargetTooLong", {"", "D:", true}, "", "", "", ""}),
    [](const testing::TestParamInfo<DerivedCase>& param) { return std::string(param.param.name); });

// Each form of SRCDRIVE against the four strings built on it: a colon only after a lone letter,
// and one separator between the root and the rest, whatever form the installer recorded.
struct DriveCase {
    const char* name;
    const char* srcDrive;
    const char* setup;
    const char* picture;
    const char* help;
    const char* webShortcuts;
    bool japanese = false; // the text is in code page 932

    friend void PrintTo(const DriveCase& c, std::ostream* os) { *os << c.name; }
};

class CdPaths : public testing::TestWithParam<DriveCase> {};

TEST_P(CdPaths, FollowOneRuleForEveryFormOfTheDrive)
{
    const DriveCase& c = GetParam();
    const LeadBytes::Range cp932[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
    const LeadBytes leadBytes = c.japanese ? LeadBytes(cp932) : LeadBytes();
    EXPECT_EQ(SetupCommand(c.srcDrive, leadBytes), c.setup);
    EXPECT_EQ(SetupPicturePath(c.srcDrive, leadBytes), c.picture);
    EXPECT_EQ(HelpDirectory(c.srcDrive, leadBytes), c.help);
    EXPECT_EQ(WebShortcutDirectory(c.srcDrive, leadBytes), c.webShortcuts);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CdPaths,
    testing::Values(
        DriveCase{"LetterAndColon", "D:", "D:\\setup\\disk1\\setup.exe", "D:\\data\\setup.tga",
                  "D:\\help", "D:\\"},
        DriveCase{"LoneLetter", "E", "E:\\setup\\disk1\\setup.exe", "E:\\data\\setup.tga",
                  "E:\\help", "E:\\"},
        DriveCase{"DriveRoot", "D:\\", "D:\\setup\\disk1\\setup.exe", "D:\\data\\setup.tga",
                  "D:\\help", "D:\\"},
        DriveCase{"Folder", "C:\\Discs\\Zarn", "C:\\Discs\\Zarn\\setup\\disk1\\setup.exe",
                  "C:\\Discs\\Zarn\\data\\setup.tga", "C:\\Discs\\Zarn\\help", "C:\\Discs\\Zarn\\"},
        DriveCase{"FolderWithSlashes", "C:/Discs/", "C:/Discs/setup\\disk1\\setup.exe",
                  "C:/Discs/data\\setup.tga", "C:/Discs/help", "C:/Discs/"},
        DriveCase{"NetworkShare", "\\\\srv\\cd", "\\\\srv\\cd\\setup\\disk1\\setup.exe",
                  "\\\\srv\\cd\\data\\setup.tga", "\\\\srv\\cd\\help", "\\\\srv\\cd\\"},
        // Folders whose last letter ends in byte 0x5C: "C:\ソ" and "C:\表" are no root with
        // a separator at its end.
        DriveCase{"JapaneseFolder", "C:\\\x83\x5C", "C:\\\x83\x5C\\setup\\disk1\\setup.exe",
                  "C:\\\x83\x5C\\data\\setup.tga", "C:\\\x83\x5C\\help", "C:\\\x83\x5C\\", true},
        DriveCase{"JapaneseFolderWithItsSeparator", "C:\\\x95\x5C\\",
                  "C:\\\x95\x5C\\setup\\disk1\\setup.exe", "C:\\\x95\x5C\\data\\setup.tga",
                  "C:\\\x95\x5C\\help", "C:\\\x95\x5C\\", true},
        // Without a record the strings are still built, from the empty text; none names a file
        // on a drive.
        DriveCase{"Empty", "", "\\setup\\disk1\\setup.exe", "\\data\\setup.tga", "\\help", "\\"},
        DriveCase{"Digit", "1", "1\\setup\\disk1\\setup.exe", "1\\data\\setup.tga", "1\\help",
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
