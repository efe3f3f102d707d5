#include "menus/ProgramCommand.h"

#include "menus/CommandBuffer.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct SplitCase {
    const char* name;
    const char* commandLine;
    std::optional<ProgramCommand> expected;
    bool fullPath; // whether the program found may be started

    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, FindsTheProgramAndTheRest)
{
    const SplitCase& c = GetParam();
    const auto split = SplitCommandLine(c.commandLine);
    ASSERT_EQ(split.has_value(), c.expected.has_value());
    if (!split)
        return;
    EXPECT_EQ(split->program, c.expected->program);
    EXPECT_EQ(split->parameters, c.expected->parameters);
    EXPECT_EQ(IsFullPath(split->program), c.fullPath);
}

INSTANTIATE_TEST_SUITE_P(
    Launches, CommandLineSplit,
    testing::Values(
        // The command lines the menus build.
        SplitCase{"AutorunSetup", "D:\\zarn2000\\setup\\disk1\\setup.exe",
                  ProgramCommand{"D:\\zarn2000\\setup\\disk1\\setup.exe", ""}, true},
        SplitCase{"RunFromAFolderWithSpaces", "C:\\Program Files\\Zarn\\zarn.exe D:",
                  ProgramCommand{"C:\\Program Files\\Zarn\\zarn.exe", "D:"}, true},
        SplitCase{"UninstallWithQuotedLog",
                  "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\"",
                  ProgramCommand{"C:\\windows\\isuninst.exe",
                                 "-f\"C:\\Program Files\\Zarn\\uninst.isu\""},
                  true},
        // Without a CD the drive is "Not Found": whatever "Not.exe" the system would find by
        // cutting at the space must not run.
        SplitCase{"NoCd", "Not Found\\zarn2000\\setup\\disk1\\setup.exe",
                  ProgramCommand{"Not Found\\zarn2000\\setup\\disk1\\setup.exe", ""}, false},
        // Missing record values: rooted on no drive, or a colon too many.
        SplitCase{"NoTargetDir", "\\zarn.exe ", ProgramCommand{"\\zarn.exe", ""}, false},
        SplitCase{"NoSrcDrive", ":\\setup\\disk1\\setup.exe",
                  ProgramCommand{":\\setup\\disk1\\setup.exe", ""}, false},
        SplitCase{"DoubledColon", "D::\\setup\\disk1\\setup.exe",
                  ProgramCommand{"D::\\setup\\disk1\\setup.exe", ""}, false},
        // Only an ".exe" that ends a word ends the program, in any letter case.
        SplitCase{"UpperCaseAndTabs", "E:\\A.EXEC\\SETUP.EXE\t-s  x",
                  ProgramCommand{"E:\\A.EXEC\\SETUP.EXE", "-s  x"}, true},
        SplitCase{"ExeInsideAWord", "C:\\my.exes\\run.exe",
                  ProgramCommand{"C:\\my.exes\\run.exe", ""}, true},
        SplitCase{"ExeNotAtTheEnd", "C:\\Games\\zarn.exe.bak", std::nullopt, false},
        SplitCase{"NoProgram", "C:\\Games\\readme.txt", std::nullopt, false},
        SplitCase{"Empty", "", std::nullopt, false},
        // A quoted first token is the program as it stands.
        SplitCase{"Quoted",
                  "\"C:\\Zarn Game\\zarn\" D:", ProgramCommand{"C:\\Zarn Game\\zarn", "D:"}, true},
        SplitCase{"QuotedNetworkPath", "\"\\\\server\\cd\\setup.exe\"",
                  ProgramCommand{"\\\\server\\cd\\setup.exe", ""}, true},
        SplitCase{"Unclosed", "\"C:\\unclosed.exe", std::nullopt, false},
        SplitCase{"EmptyQuotes", "\"\" x.exe", std::nullopt, false},
        SplitCase{"DriveRelative", "D:setup.exe", ProgramCommand{"D:setup.exe", ""}, false}),
    [](const testing::TestParamInfo<SplitCase>& param) { return std::string(param.param.name); });

// What LaunchProgram refuses to start: a line that leaves no zero byte in its buffer, and one
// whose program has no full path.
TEST(ProgramToStart, IsTheProgramOfALineThatFitsItsBufferAndNamesAFullPath)
{
    const std::string program = "D:\\zarn2000\\setup\\disk1\\setup.exe";
    const std::string longest =
        program + std::string(kAutorunCommandCapacity - 1 - program.size(), ' ');
    const auto started = ProgramToStart(longest, kAutorunCommandCapacity);
    ASSERT_TRUE(started.has_value());
    EXPECT_EQ(started->program, program);
    EXPECT_FALSE(ProgramToStart(longest + " ", kAutorunCommandCapacity).has_value());
    EXPECT_FALSE(ProgramToStart("zarn2000\\setup.exe", kAutorunCommandCapacity).has_value());
}

} // namespace
