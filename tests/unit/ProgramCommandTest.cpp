#include "menus/ProgramCommand.h"

#include "install/DiscLayout.h"
#include "menus/CommandBuffer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct CommandCase {
    const char* name;
    ProgramCommand command;
    const char* parameters; // what an elevated start hands the shell
    bool startable;         // through the options menu's buffer

    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, StartTheirKnownProgramWithTheRestAsParameters)
{
    const CommandCase& c = GetParam();
    EXPECT_EQ(Parameters(c.command), c.parameters);
    EXPECT_EQ(CanStart(c.command, kOptionsCommandCapacity), c.startable);
}

INSTANTIATE_TEST_SUITE_P(
    Launches, Commands,
    testing::Values(
        // The lines the menus build.
        CommandCase{"AutorunSetup", ProgramAlone("D:\\zarn2000\\setup\\disk1\\setup.exe"), "",
                    true},
        CommandCase{"RunFromAFolderWithSpaces",
                    {"C:\\Program Files\\Zarn\\zarn.exe", "C:\\Program Files\\Zarn\\zarn.exe D:"},
                    "D:",
                    true},
        CommandCase{"Uninstall",
                    {"C:\\windows\\isuninst.exe",
                     "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\""},
                    "-f\"C:\\Program Files\\Zarn\\uninst.isu\"",
                    true},
        // Folders that a line cut at its first ".exe" would have misread.
        CommandCase{
            "ExeAndASpaceInTheFolder",
            {"C:\\Games\\Zarn.exe Edition\\zarn.exe", "C:\\Games\\Zarn.exe Edition\\zarn.exe D:"},
            "D:",
            true},
        CommandCase{
            "ForwardSlashes", {"C:/Games/Zarn/zarn.exe", "C:/Games/Zarn/zarn.exe D:"}, "D:", true},
        CommandCase{"NetworkPath", ProgramAlone("\\\\server\\cd\\setup\\disk1\\setup.exe"), "",
                    true},
        // A record without SRCDRIVE: the line ends in the space before it.
        CommandCase{
            "NoSrcDrive", {"C:\\Games\\Zarn\\zarn.exe", "C:\\Games\\Zarn\\zarn.exe "}, "", true},
        // Without a CD the drive is "Not Found": whatever "Not.exe" the system would find by
        // cutting at the space must not run.
        CommandCase{"NoCd", ProgramAlone("Not Found\\zarn2000\\setup\\disk1\\setup.exe"), "",
                    false},
        // Missing record values: rooted on no drive.
        CommandCase{"NoTargetDir", {"\\zarn.exe", "\\zarn.exe D:"}, "D:", false},
        CommandCase{"TargetDirTooLong", {"", ""}, "", false},
        CommandCase{"DriveRelative", ProgramAlone("D:setup.exe"), "", false},
        // A line that does not begin with its program would start one program with another's
        // line.
        CommandCase{"LineOfAnotherProgram", {"C:\\windows\\isuninst.exe", ""}, "", false}),
    [](const testing::TestParamInfo<CommandCase>& param) { return std::string(param.param.name); });

// What LaunchProgram refuses to start: a line that leaves no zero byte in its buffer.
TEST(CanStart, NeedsALineThatFitsItsBuffer)
{
    const std::string program = "D:\\zarn2000\\setup\\disk1\\setup.exe";
    const std::string longest =
        program + std::string(kAutorunCommandCapacity - 1 - program.size(), ' ');
    EXPECT_TRUE(CanStart({program, longest}, kAutorunCommandCapacity));
    EXPECT_FALSE(CanStart({program, longest + " "}, kAutorunCommandCapacity));
}

} // namespace
