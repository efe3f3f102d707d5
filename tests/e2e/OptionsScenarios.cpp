// The options menu of an installed game as a user meets it: the programs its buttons start, the
// documents they open, its picture and its video-card chooser (on Wine's own DirectDraw).
#include "LauncherScenario.h"

#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace {

class OptionsMenu : public LauncherScenario {
protected:
    // An installed game: the record, the game and the uninstaller in their places.
    void Install(const std::string& targetDir, const std::string& srcDrive)
    {
        SeedInstallRecord({targetDir, srcDrive, std::nullopt, true});
        std::string gameFolder = targetDir;
        std::ranges::replace(gameFolder, '/', '\\');
        PlaceStandin(gameFolder + "\\zarn.exe");
        PlaceStandin("C:\\windows\\isuninst.exe");
    }

    // Help and the two web-site buttons open their files from `root` (as the opener's lines
    // show), and the menu stays. Returns how many lines the stand-ins' log then has.
    size_t ExpectDocumentsOpenFrom(HWND menu, const std::string& root)
    {
        const struct {
            int button;
            const char* file;
            std::string directory;
            const char* show;
        } opens[] = {{kHelp, "zarnhelp.rtf", root + "\\help", "5"},
                     {kDeveloperWebSite, "quillmoor web site.url", root + "\\", "0"},
                     {kGamesWebSite, "Zarn Games web site.url", root + "\\", "0"}};
        size_t expected = 0;
        for (const auto& open : opens) {
            ClickButton(::GetDlgItem(menu, open.button));
            const auto lines = WaitForStandinLines(++expected);
            if (lines.size() != expected) {
                ADD_FAILURE() << "nothing opened for button " << open.button;
                return lines.size();
            }
            const auto fields = Fields(lines.back());
            EXPECT_EQ(fields[0], "opener.exe");
            EXPECT_NE(fields[1].find(open.file), std::string::npos) << fields[1];
            EXPECT_EQ(fields[2], open.directory);
            EXPECT_EQ(fields[3], open.show);
        }
        EXPECT_TRUE(IsVisible(menu));
        return expected;
    }

    // The fields of a stand-in's line: name, command line, working directory, show state.
    static std::vector<std::string> Fields(const std::string& line)
    {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
            fields.push_back(line.substr(start, bar - start));
        fields.push_back(line.substr(start));
        return fields;
    }
};

struct StartCase {
    const char* name;
    std::string targetDir;
    std::string srcDrive;
    int button;
    std::string program;     // the stand-in expected to start
    std::string commandLine; // and its command line
    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

class ProgramButtons : public OptionsMenu, public testing::WithParamInterface<StartCase> {};

TEST_P(ProgramButtons, StartTheirCommandLineAndEndTheLauncher)
{
    const StartCase& c = GetParam();
    InsertCd(c.srcDrive[0]);
    Install(c.targetDir, c.srcDrive);
    // Programs where an unquoted path with spaces, or a line cut at its first ".exe", would lead
    // the system astray.
    PlaceStandin("C:\\Program.exe");
    PlaceStandin("C:\\Games\\Zarn.exe");
    LauncherRun run;
    ClickButton(::GetDlgItem(run.WaitForMenu(kOptionsRun), c.button));
    EXPECT_TRUE(run.WaitForExit());
    const auto started = WaitForStandinLines(1);
    ASSERT_EQ(started.size(), 1u);
    const auto fields = Fields(started[0]);
    EXPECT_EQ(fields[0], c.program);
    EXPECT_EQ(fields[1], c.commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ProgramButtons,
    testing::Values(
        StartCase{"Run", "C:\\Games\\Zarn", "D:", kOptionsRun, "zarn.exe",
                  "C:\\Games\\Zarn\\zarn.exe D:"},
        StartCase{"RunFromAFolderWithSpaces", "C:\\Program Files\\Zarn", "D:", kOptionsRun,
                  "zarn.exe", "C:\\Program Files\\Zarn\\zarn.exe D:"},
        StartCase{"RunFromAFolderWithExeInside", "C:\\Games\\Zarn.exe Edition", "D:", kOptionsRun,
                  "zarn.exe", "C:\\Games\\Zarn.exe Edition\\zarn.exe D:"},
        StartCase{"RunFromAFolderWrittenWithSlashes", "C:/Games/Zarn Slash", "D:", kOptionsRun,
                  "zarn.exe", "C:/Games/Zarn Slash\\zarn.exe D:"},
        // The drive as a letter alone, and with its colon: one colon either way.
        StartCase{"SetupFromALoneLetter", "C:\\Games\\Zarn", "D", kOptionsSetup, "setup.exe",
                  "D:\\setup\\disk1\\setup.exe"},
        StartCase{"SetupFromALetterAndColon", "C:\\Games\\Zarn", "E:", kOptionsSetup, "setup.exe",
                  "E:\\setup\\disk1\\setup.exe"},
        StartCase{"SetupFromADriveRoot", "C:\\Games\\Zarn", "E:\\", kOptionsSetup, "setup.exe",
                  "E:\\setup\\disk1\\setup.exe"},
        StartCase{"Uninstall", "C:\\Program Files\\Zarn", "D:", kOptionsUninstall, "isuninst.exe",
                  "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\""}),
    [](const testing::TestParamInfo<StartCase>& param) { return std::string(param.param.name); });

struct NothingCase {
    const char* name;
    std::optional<std::string> targetDir;
    std::optional<std::string> srcDrive;
    int button;
    friend void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }
};

class UnstartableButtons : public OptionsMenu, public testing::WithParamInterface<NothingCase> {};

TEST_P(UnstartableButtons, StartNothingAndStillEndTheLauncher)
{
    const NothingCase& c = GetParam();
    InsertCd('D');
    SeedInstallRecord({c.targetDir, c.srcDrive, std::nullopt, true});
    PlaceStandin("C:\\windows\\isuninst.exe");
    LauncherRun run;
    if (!c.srcDrive)
        ExpectMessage(run, kEmptyTga); // \data\setup.tga is nowhere
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    ClickButton(::GetDlgItem(menu, c.button));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_TRUE(StandinLog().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, UnstartableButtons,
    testing::Values(NothingCase{"RunWithoutValues", std::nullopt, std::nullopt, kOptionsRun},
                    NothingCase{"SetupWithoutValues", std::nullopt, std::nullopt, kOptionsSetup},
                    // A folder too long to read names no folder: neither the game nor the
                    // uninstaller with a log file outside it starts.
                    NothingCase{"RunFromA250CharacterFolder", std::string(250, 'z'),
                                "D:", kOptionsRun},
                    NothingCase{"UninstallFromA250CharacterFolder", std::string(250, 'z'),
                                "D:", kOptionsUninstall}),
    [](const testing::TestParamInfo<NothingCase>& param) { return std::string(param.param.name); });

TEST_F(OptionsMenu, HelpAndTheWebSitesOpenFromTheRecordedDriveAndTheMenuStays)
{
    InsertCd('D');
    Install("C:\\Games\\Zarn", "D:");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    ExpectDocumentsOpenFrom(menu, "D:");
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

// The disc mounted at another letter than the one the installer recorded (an image, a new drive):
// the disc the launcher found serves every button, and the record stays as it was.
TEST_F(OptionsMenu, TheDiscAtAnotherLetterServesEveryButton)
{
    InsertCd('F');
    Install("C:\\Games\\Zarn", "E:");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr) << "held up by a message: the picture was not read from F:";
    size_t expected = ExpectDocumentsOpenFrom(menu, "F:");
    ClickButton(::GetDlgItem(menu, kOptionsSetup));
    EXPECT_TRUE(run.WaitForExit());
    const auto lines = WaitForStandinLines(++expected);
    ASSERT_EQ(lines.size(), expected);
    EXPECT_EQ(Fields(lines.back())[1], "F:\\setup\\disk1\\setup.exe");
    EXPECT_EQ(StoredInstallText("SRCDRIVE"), "E:");
}

// With no disc anywhere, the recorded drive's paths stand and lead nowhere.
TEST_F(OptionsMenu, ARecordedDriveThatIsAbsentWithNoDiscOpensNothingButTheMenuWorks)
{
    Install("C:\\Games\\Zarn", "Q:");
    LauncherRun run;
    ExpectMessage(run, kMainNoCd);
    ExpectMessage(run, kEmptyTga); // Not Found\zarn2000\Data\intro.tga
    ExpectMessage(run, kEmptyTga); // Q:\data\setup.tga
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    for (const int button : {kHelp, kDeveloperWebSite, kGamesWebSite})
        ClickButton(::GetDlgItem(menu, button));
    ClickButton(::GetDlgItem(menu, kOptionsSetup));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_TRUE(StandinLog().empty());
}

TEST_F(OptionsMenu, TheChooserOffersWinesDevicesAndStoresTheSelectedOne)
{
    InsertCd('D');
    Install("C:\\Games\\Zarn", "D:");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(IsEnabled(::GetDlgItem(menu, kOptionsRun)));
    HWND chooser = ::GetDlgItem(menu, kOptionsChooser);
    const auto items = ComboItems(chooser);
    ASSERT_FALSE(items.empty());
    const int selected = ComboSelection(chooser);
    ASSERT_GE(selected, 0);
    ASSERT_LT(static_cast<size_t>(selected), items.size());
    // Stored as the menu opened, without a touch of the chooser.
    EXPECT_EQ(StoredInstallText("VIDEOCARD"), items[selected]);
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

TEST_F(OptionsMenu, ShowsItsPictureInTheAreaLeftOfTheButtons)
{
    InsertCd('D');
    Install("C:\\Games\\Zarn", "D:");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    ::RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // From the developer web-site button and the Run button, as they stood before the menu was
    // centred: with its client area at the main window's client origin.
    const RECT webSite = run.ControlRectBeforeCentring(menu, kDeveloperWebSite);
    const RECT runButton = run.ControlRectBeforeCentring(menu, kOptionsRun);
    const LONG height = webSite.bottom - webSite.top;
    ExpectMenuPictureIn(
        menu, {webSite.left, runButton.bottom, runButton.left - height, webSite.top - height});
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

} // namespace
