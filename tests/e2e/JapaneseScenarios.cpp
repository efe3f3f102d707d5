// The launcher on a Japanese system (code page 932), where the second byte of many letters is
// 0x5C, the backslash: "ソ" is 83 5C, "能" is 94 5C. Folders named with them must work as
// "C:\Games\Zarn" does on a Western system. CTest runs these with LANG=ja_JP.UTF-8, from which
// Wine takes the code page.
#include "LauncherScenario.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// "C:\Zarn Copies\ゲーム\ソフト\能": its last letter ends in byte 0x5C.
const std::string kJapaneseFolder =
    std::string(kCopiesFolder) + "\\\x83\x51\x81\x5B\x83\x80\\\x83\x5C\x83\x74\x83\x67\\\x94\x5C";

class JapaneseSystem : public LauncherScenario {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::GetACP(), 932u) << "Wine took no Japanese code page from LANG=ja_JP.UTF-8: "
                                       "generate that locale (tools/setup-deps.sh)";
        LauncherScenario::SetUp();
    }
};

TEST_F(JapaneseSystem, ACopyInAJapaneseFolderStartsItsOwnInstaller)
{
    LayOutCd(kJapaneseFolder);
    LauncherRun run(kJapaneseFolder + "\\zarn2000");
    ExpectAutorunSetupStarts(run, kJapaneseFolder + "\\zarn2000\\setup\\disk1\\setup.exe",
                             "the copy was not found");
}

// The game installed from that copy into the same folder: the options menu reads its picture
// from the recorded folder, and Run and Setup start the programs under it.
TEST_F(JapaneseSystem, AGameInstalledInAndFromAJapaneseFolderRunsAndSetsUp)
{
    LayOutCd(kJapaneseFolder);
    SeedInstallRecord({kJapaneseFolder, kJapaneseFolder, std::nullopt, true});
    PlaceStandin(kJapaneseFolder + "\\zarn.exe");
    for (const int button : {kOptionsRun, kOptionsSetup}) {
        LauncherRun run(kJapaneseFolder + "\\zarn2000");
        HWND menu = run.WaitForMenu(kOptionsRun);
        ASSERT_NE(menu, nullptr) << "held up by a message: the picture was not read";
        ClickButton(::GetDlgItem(menu, button));
        EXPECT_TRUE(run.WaitForExit());
    }
    EXPECT_EQ(
        StartedCommands(WaitForStandinLines(2)),
        (std::vector<std::string>{"zarn.exe|" + kJapaneseFolder + "\\zarn.exe " + kJapaneseFolder,
                                  "setup.exe|" + kJapaneseFolder + "\\setup\\disk1\\setup.exe"}));
}

} // namespace
