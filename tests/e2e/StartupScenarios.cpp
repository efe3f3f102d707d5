// Start-up as a user meets it: the CD search and its messages, the full-screen window, the choice
// of menu, and the ways a menu ends the launcher.
#include "LauncherScenario.h"
#include "base/Win32Handles.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Startup = LauncherScenario;

TEST_F(Startup, WithoutCdBothMessagesComeUpAndExitStillEndsTheLauncher)
{
    LauncherRun run;

    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    // The main window's message comes before the full-screen window is shown.
    HWND main = run.MainWindow();
    EXPECT_TRUE(main == nullptr || !IsVisible(main));
    const LauncherRun::Box first = run.DismissMessageBox(box);
    EXPECT_EQ(first.caption, kLauncherCaption);
    EXPECT_EQ(first.text, kMainNoCd);

    // "Not Found\zarn2000\Data\intro.tga" cannot be read.
    ExpectMessage(run, kEmptyTga);
    // The menu scans again and says so in its own words.
    ExpectMessage(run, kMenuNoCd);
    ASSERT_TRUE(IsVisible(run.MainWindow()));
    ExpectMessage(run, kEmptyTga);

    HWND menu = run.WaitForMenu(kAutorunSetup);
    ASSERT_NE(menu, nullptr);
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST_F(Startup, TheMainWindowCoversTheScreenAndTheMenuIsCentredOverIt)
{
    InsertCd('D');
    LauncherRun run;
    HWND menu = run.WaitForMenu(kAutorunSetup);
    ASSERT_NE(menu, nullptr);

    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const RECT main = WindowRect(run.MainWindow());
    EXPECT_EQ(main.left, screen.left);
    EXPECT_EQ(main.top, screen.top);
    EXPECT_EQ(main.right, screen.right);
    EXPECT_EQ(main.bottom, screen.bottom);
    EXPECT_TRUE(IsVisible(run.MainWindow()));

    EXPECT_TRUE(SameCentre(WindowRect(menu), screen));
    // The first tab stop, Setup, has the focus.
    EXPECT_EQ(FocusOf(run.ThreadId()), ::GetDlgItem(menu, kAutorunSetup));
}

// A run that finds no CD: both drive messages, both failed picture loads, then Exit.
void ExpectRunWithoutCd(LauncherScenario& scenario)
{
    LauncherRun run;
    for (const char* text : {kMainNoCd, kEmptyTga, kMenuNoCd, kEmptyTga})
        scenario.ExpectMessage(run, text);
    ClickButton(::GetDlgItem(run.WaitForMenu(kAutorunSetup), kExit));
    EXPECT_TRUE(run.WaitForExit());
}

// A marker that cannot be opened for reading counts as absent.
TEST_F(Startup, AMarkerThatCannotBeOpenedCountsAsNoCd)
{
    const std::string cd = InsertCd('D');
    const std::string marker = cd + "\\zarn2000\\lumbrel.exe";
    UniqueFile held(
        ::CreateFileA(marker.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ExpectRunWithoutCd(*this);
    held.reset();

    // A folder in the marker's place does not open either.
    DeleteTree(marker);
    ASSERT_TRUE(::CreateDirectoryA(marker.c_str(), nullptr));
    ExpectRunWithoutCd(*this);
}

// A marker planted on C: with a stand-in where the disc's setup program would be.
void PlantMarkerOnC()
{
    PlaceStandin("C:\\zarn2000\\setup\\disk1\\setup.exe");
    PlaceStandin("C:\\zarn2000\\lumbrel.exe");
}

// Started from elsewhere than a disc (here the driver's folder), the launcher takes the first
// letter from C: on that carries the marker, whatever else is on its drive.
TEST_F(Startup, StartedFromElsewhereAMarkerOnCWinsOverTheCdOnE)
{
    InsertCd('E');
    PlantMarkerOnC();
    LauncherRun run;
    // C: has no pictures: both loads fail there, and no drive message comes up.
    ExpectMessage(run, kEmptyTga);
    ExpectMessage(run, kEmptyTga);
    ClickButton(::GetDlgItem(run.WaitForMenu(kAutorunSetup), kAutorunSetup));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(StartedCommands(WaitForStandinLines(1)),
              std::vector<std::string>{"setup.exe|C:\\zarn2000\\setup\\disk1\\setup.exe"});
}

// Started from the disc, as autorun does, the launcher keeps to that disc: a planted marker on an
// earlier drive does not get its setup program started. The menu opens with no message, so both
// pictures were read from the disc: C: has none.
TEST_F(Startup, StartedFromTheCdOnEItUsesEEvenWithAMarkerOnC)
{
    InsertCd('E');
    PlantMarkerOnC();
    LauncherRun run("E:\\zarn2000");
    ExpectAutorunSetupStarts(run, "E:\\zarn2000\\setup\\disk1\\setup.exe",
                             "the pictures were not read from E:");
}

// A copy of the disc in a folder on a hard disk works from its own place, with no CD anywhere.
TEST_F(Startup, ACopyOfTheDiscOnCWorksFromItsOwnFolder)
{
    LayOutCd(kCdCopyOnC);
    // What a system left to cut the command line at its space would start instead.
    PlaceStandin("C:\\Zarn.exe");
    LauncherRun run(std::string(kCdCopyOnC) + "\\zarn2000");
    ExpectAutorunSetupStarts(run, std::string(kCdCopyOnC) + "\\zarn2000\\setup\\disk1\\setup.exe",
                             "the copy was not found");
    ::DeleteFileA("C:\\Zarn.exe");
}

// Just the launcher in a zarn2000 folder (a download, a copy without the disc's content) is no
// disc of its own: the CD in E: is used, with no message.
TEST_F(Startup, ALoneLauncherInAZarn2000FolderUsesTheCd)
{
    InsertCd('E');
    LayOutCd(kCdCopyOnC);
    ::DeleteFileA((std::string(kCdCopyOnC) + "\\zarn2000\\Data\\intro.tga").c_str());
    LauncherRun run(std::string(kCdCopyOnC) + "\\zarn2000");
    ExpectAutorunSetupStarts(run, "E:\\zarn2000\\setup\\disk1\\setup.exe",
                             "the lone launcher's folder was taken");
}

// Copies of the disc where users keep them, each working from its own place with a CD in E:: a
// folder whose name is longer than a drive letter's command buffer allows for, and one with
// accented letters.
struct CopyCase {
    const char* name;
    std::string root;
    friend void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }
};

class CopiesOfTheDisc : public LauncherScenario, public testing::WithParamInterface<CopyCase> {};

TEST_P(CopiesOfTheDisc, StartTheirOwnInstaller)
{
    const CopyCase& c = GetParam();
    InsertCd('E');
    LayOutCd(c.root);
    LauncherRun run(c.root + "\\zarn2000");
    ExpectAutorunSetupStarts(run, c.root + "\\zarn2000\\setup\\disk1\\setup.exe",
                             "the copy was not found");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CopiesOfTheDisc,
    testing::Values(CopyCase{"LongFolder", std::string(kCopiesFolder) +
                                               "\\Desktop\\Zarn Vellor Season 1999-2000 CD"},
                    // "Zärn Kopie" in the Western code page.
                    CopyCase{"AccentedFolder",
                             std::string(kCopiesFolder) + "\\Spiele\\Z\xE4rn Kopie"}),
    [](const testing::TestParamInfo<CopyCase>& param) { return std::string(param.param.name); });

struct MenuChoice {
    const char* name;
    bool generalKey;
    bool fullGameKey;
    int expectedMenuControl;

    friend void PrintTo(const MenuChoice& c, std::ostream* os) { *os << c.name; }
};

class MenuChoiceScenario : public LauncherScenario,
                           public testing::WithParamInterface<MenuChoice> {};

TEST_P(MenuChoiceScenario, TheInstallRecordDecidesTheMenu)
{
    const MenuChoice& c = GetParam();
    InsertCd('D');
    if (c.generalKey)
        SeedInstallRecord({"C:\\Games\\Zarn", "D:", std::nullopt, c.fullGameKey});
    LauncherRun run;
    HWND menu = run.WaitForMenu(c.expectedMenuControl);
    ASSERT_NE(menu, nullptr);
    const int otherMenuControl = c.expectedMenuControl == kOptionsRun ? kAutorunSetup : kOptionsRun;
    EXPECT_EQ(::GetDlgItem(menu, otherMenuControl), nullptr);
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(
    Records, MenuChoiceScenario,
    testing::Values(MenuChoice{"NoRecord", false, false, kAutorunSetup},
                    MenuChoice{"GeneralKeyWithoutFullGame", true, false, kAutorunSetup},
                    MenuChoice{"FullInstallation", true, true, kOptionsRun}),
    [](const testing::TestParamInfo<MenuChoice>& param) { return std::string(param.param.name); });

enum class Ending { ExitButton, EscapeKey, EnterKey };

struct EndingCase {
    const char* name;
    bool installed;
    Ending ending;

    friend void PrintTo(const EndingCase& c, std::ostream* os) { *os << c.name; }
};

class EndingScenario : public LauncherScenario, public testing::WithParamInterface<EndingCase> {};

TEST_P(EndingScenario, EndsTheLauncher)
{
    const EndingCase& c = GetParam();
    InsertCd('D');
    if (c.installed)
        SeedInstallRecord({"C:\\Games\\Zarn", "D:", std::nullopt, true});
    LauncherRun run;
    HWND menu = run.WaitForMenu(c.installed ? kOptionsRun : kAutorunSetup);
    ASSERT_NE(menu, nullptr);
    switch (c.ending) {
    case Ending::ExitButton:
        ClickButton(::GetDlgItem(menu, kExit));
        break;
    case Ending::EscapeKey:
        PressKey(run.ThreadId(), VK_ESCAPE);
        break;
    case Ending::EnterKey:
        PressKey(run.ThreadId(), VK_RETURN);
        break;
    }
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Menus, EndingScenario,
                         testing::Values(EndingCase{"AutorunExit", false, Ending::ExitButton},
                                         EndingCase{"AutorunEscape", false, Ending::EscapeKey},
                                         EndingCase{"AutorunEnter", false, Ending::EnterKey},
                                         EndingCase{"OptionsExit", true, Ending::ExitButton},
                                         EndingCase{"OptionsEscape", true, Ending::EscapeKey},
                                         EndingCase{"OptionsEnter", true, Ending::EnterKey}),
                         [](const testing::TestParamInfo<EndingCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
