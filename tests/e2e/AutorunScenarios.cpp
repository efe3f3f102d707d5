// The autorun menu as a user meets it: its picture, Setup, Help, and the ways it ends.
#include "LauncherScenario.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <utility>
#include <vector>

namespace {

using AutorunMenu = LauncherScenario;

// The width and height of every record in the picture trace file "C:\debug.err".
std::vector<std::pair<int, int>> PictureTraceSizes()
{
    std::vector<std::pair<int, int>> sizes;
    std::ifstream file("C:\\debug.err", std::ios::binary);
    std::uint32_t record[4];
    while (file.read(reinterpret_cast<char*>(record), sizeof record))
        sizes.emplace_back(static_cast<int>(record[2]), static_cast<int>(record[3]));
    return sizes;
}

TEST_F(AutorunMenu, ShowsTheIntroPictureStretchedOverTheScreenAndItsOwnPictureBesideTheButtons)
{
    InsertCd('D');
    LauncherRun run;
    HWND menu = run.WaitForMenu(kAutorunSetup);
    ASSERT_NE(menu, nullptr);
    ExpectIntroPicture(run);

    ::RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // The area: left 20 and bottom 280 in the menu's client area; its top and right come from the
    // Setup button's screen rectangle while the menu stood with its client area at the main
    // window's client origin, before it was centred.
    const RECT button = run.ControlRectBeforeCentring(menu, kAutorunSetup);
    const RECT area{20, button.top, button.left - 20, 280};
    ExpectMenuPictureIn(menu, area);

    // One 16-byte record per picture made, sizes last: the intro picture, the menu's picture,
    // the blank area, then the rescale's two (the area's, then the source's again).
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    EXPECT_EQ(PictureTraceSizes(), (std::vector<std::pair<int, int>>{
                                       {320, 240}, {200, 130}, {w, h}, {w, h}, {200, 130}}));
}

TEST_F(AutorunMenu, SetupStartsTheInstallerFromTheCdAndEndsTheLauncher)
{
    InsertCd('D');
    LauncherRun run;
    ClickButton(::GetDlgItem(run.WaitForMenu(kAutorunSetup), kAutorunSetup));
    EXPECT_TRUE(run.WaitForExit());
    const auto started = WaitForStandinLines(1);
    ASSERT_EQ(started.size(), 1u);
    // Its own name, the exact command line, the launcher's working directory, no show state.
    EXPECT_EQ(started[0],
              "setup.exe|D:\\zarn2000\\setup\\disk1\\setup.exe|" + ProgramFolder() + "|-1");
}

TEST_F(AutorunMenu, WithoutCdSetupStartsNothingAndStillEndsTheLauncher)
{
    // The command line is then "Not Found\zarn2000\setup\disk1\setup.exe": a system left to
    // find the program by itself would run a Not.exe from the launcher's folder.
    const std::string planted = ProgramFolder() + "\\Not.exe";
    PlaceStandin(planted);
    LauncherRun run;
    for (const char* text : {kMainNoCd, kEmptyTga, kMenuNoCd, kEmptyTga})
        ExpectMessage(run, text);
    ClickButton(::GetDlgItem(run.WaitForMenu(kAutorunSetup), kAutorunSetup));
    EXPECT_TRUE(run.WaitForExit());
    ::DeleteFileA(planted.c_str());
    EXPECT_TRUE(StandinLog().empty());
}

TEST_F(AutorunMenu, HelpOpensTheDocumentFromTheCdEachTimeAndTheMenuStays)
{
    InsertCd('D');
    LauncherRun run;
    HWND menu = run.WaitForMenu(kAutorunSetup);
    for (size_t press = 1; press <= 2; ++press) {
        ClickButton(::GetDlgItem(menu, kHelp));
        const auto opened = WaitForStandinLines(press);
        ASSERT_EQ(opened.size(), press);
        const std::string& line = opened.back();
        EXPECT_EQ(line.substr(0, line.find('|')), "opener.exe");
        EXPECT_NE(line.find("zarnhelp.rtf"), std::string::npos) << line;
        // Working directory and show state.
        EXPECT_EQ(line.substr(line.rfind('|', line.size() - 3)), "|D:\\ZARN2000\\help|5") << line;
    }
    EXPECT_TRUE(IsVisible(menu));
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

} // namespace
