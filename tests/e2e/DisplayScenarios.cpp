// The options menu over scripted display devices: the stand-in ddraw.dll in the system folder
// (the ddraw_standin test fixture) reports what each scenario needs, and fails the calls it is
// told to.
#include "LauncherScenario.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace {

class ScriptedDevices : public LauncherScenario {
protected:
    void SetUp() override
    {
        LauncherScenario::SetUp();
        m_Folder = ProgramFolder() + "\\e2e-cd\\scripted-ddraw";
        PlaceStandin(m_Folder + "\\placeholder.exe"); // makes the folder
        ::DeleteFileA(LogPath().c_str());
        ::SetEnvironmentVariableA("LUMBREL_DDRAW_LOG", LogPath().c_str());
        ::SetEnvironmentVariableA("LUMBREL_DDRAW_SCRIPT", (m_Folder + "\\script.txt").c_str());
        UseDirectDraw("n,b");
        InsertCd('D');
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kLauncherDefaults);
        LauncherScenario::TearDown();
    }

    // "n,b" prefers the stand-in to Wine's own; "" switches DirectDraw off altogether.
    // Wine takes a started program's DLL load order from its per-program settings: an override
    // in the environment reaches only the program Wine itself was started with.
    static void UseDirectDraw(const std::string& loadOrder)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, kLauncherDefaults, "ddraw", REG_SZ, loadOrder.c_str(),
                          static_cast<DWORD>(loadOrder.size()) + 1);
    }

    static constexpr const char* kLauncherDefaults =
        "Software\\Wine\\AppDefaults\\lumbrel.exe\\DllOverrides";

    void Script(const std::vector<std::string>& lines, const char* videoCard = nullptr)
    {
        std::ofstream out(m_Folder + "\\script.txt", std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\n";
        SeedInstallRecord({"C:\\Games\\Zarn", "D:",
                           videoCard ? std::optional<std::string>(videoCard) : std::nullopt, true});
        PlaceStandin("C:\\Games\\Zarn\\zarn.exe");
    }

    std::string LogPath() const { return m_Folder + "\\ddraw.log"; }
    std::vector<std::string> Log() const { return ReadLines(LogPath()); }
    // Lines of the stand-in's log that start with `prefix` and did not fail.
    size_t LogCount(const std::string& prefix) const
    {
        const auto lines = Log();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const auto& l) {
            return l.rfind(prefix, 0) == 0 && l.find("failed") == std::string::npos;
        }));
    }
    // The calls the launcher made, without the reference counting in between.
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> calls;
        for (const std::string& line : Log())
            for (const char* call : {"enumerate ", "create ", "query ", "getcaps ", "identifier "})
                if (line.rfind(call, 0) == 0)
                    calls.push_back(line);
        return calls;
    }
    // Every object the stand-in made was given back, and nothing more often than it was taken.
    void ExpectEverythingReleased() const
    {
        EXPECT_EQ(LogCount("destroy "), LogCount("create "));
        for (const std::string& line : Log())
            EXPECT_EQ(line.find("too many"), std::string::npos) << line;
    }

    std::string m_Folder;
};

TEST_F(ScriptedDevices, APrimaryAndAnAddOnAreOfferedSortedAndTheStoredOneIsChosen)
{
    Script({"device none 0x80000 S3 Trio",
            "device {12345678-1234-5678-9abc-def012345678} 0x0 3D Add-on"},
           "3D Add-on");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    HWND chooser = ::GetDlgItem(menu, kOptionsChooser);
    EXPECT_EQ(ComboItems(chooser), (std::vector<std::string>{"3D Add-on", "S3 Trio"}));
    EXPECT_EQ(ComboSelection(chooser), 0);
    EXPECT_EQ(StoredInstallText("VIDEOCARD"), "3D Add-on");
    EXPECT_TRUE(IsEnabled(::GetDlgItem(menu, kOptionsRun)));
    ClickButton(::GetDlgItem(menu, kExit));
    ASSERT_TRUE(run.WaitForExit());

    // What the launcher asked of DirectDraw, and that it gave back all it got.
    const std::vector<std::string> expected = {"enumerate flags=7 context=null",
                                               "create 0",
                                               "query 0 dd7",
                                               "getcaps 0 driver=380,zeroed hel=380,zeroed",
                                               "identifier 0 flags=0",
                                               "identifier 0 flags=1",
                                               "create 1",
                                               "query 1 dd7",
                                               "getcaps 1 driver=380,zeroed hel=380,zeroed",
                                               "identifier 1 flags=0",
                                               "identifier 1 flags=1"};
    EXPECT_EQ(Calls(), expected);
    ExpectEverythingReleased();
}

// A copy of the launcher in a folder of its own, such as a user's downloads, with some other
// ddraw.dll lying beside it: DirectDraw still comes from the system folder.
TEST_F(ScriptedDevices, ADdrawDllBesideTheLauncherIsNotLoaded)
{
    const std::string downloads = m_Folder + "\\downloads";
    // A program, not DirectDraw: loaded in its place, it would offer no entry points at all.
    PlaceStandin(downloads + "\\ddraw.dll");
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\lumbrel.exe").c_str(),
                            (downloads + "\\lumbrel.exe").c_str(), FALSE));
    Script({"device none 0x80000 S3 Trio"});
    LauncherRun run(downloads);
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr) << "no menu: did the ddraw.dll beside the launcher stop DirectDraw?";
    EXPECT_EQ(ComboItems(::GetDlgItem(menu, kOptionsChooser)), std::vector<std::string>{"S3 Trio"});
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

struct FailureCase {
    const char* name;
    std::vector<std::string> script;
    std::vector<std::string> items; // sorted, as the chooser shows them
    bool errorBox;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class DeviceFailures : public ScriptedDevices, public testing::WithParamInterface<FailureCase> {};

TEST_P(DeviceFailures, KeepTheDevicesRecordedBeforeThem)
{
    const FailureCase& c = GetParam();
    Script(c.script);
    LauncherRun run;
    if (c.errorBox) {
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        // Before the menu is shown.
        EXPECT_EQ(run.WaitForMenu(kOptionsRun, 0ms), nullptr);
        const auto seen = run.DismissMessageBox(box);
        EXPECT_EQ(seen.caption, kErrorCaption);
        EXPECT_EQ(seen.text, kNoDevice);
    }
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ComboItems(::GetDlgItem(menu, kOptionsChooser)), c.items);
    EXPECT_EQ(IsEnabled(::GetDlgItem(menu, kOptionsRun)), !c.errorBox);
    if (c.errorBox) {
        // A Run command that arrives anyway starts nothing, and the menu stays.
        ::PostMessageA(menu, WM_COMMAND, MAKEWPARAM(kOptionsRun, BN_CLICKED), 0);
        ClickButton(::GetDlgItem(menu, kHelp)); // a later message proves the first was handled
        WaitForStandinLines(1);
        EXPECT_TRUE(IsVisible(menu));
        for (const std::string& line : StandinLog())
            EXPECT_EQ(line.rfind("zarn.exe", 0), std::string::npos) << line;
    }
    ClickButton(::GetDlgItem(menu, kExit));
    ASSERT_TRUE(run.WaitForExit());
    ExpectEverythingReleased();
}

std::vector<std::string> SeventeenDevices()
{
    std::vector<std::string> script;
    for (int i = 0; i < 17; ++i) {
        char guid[64];
        std::snprintf(guid, sizeof guid, "{%08x-0000-0000-0000-000000000000}", i + 1);
        script.push_back(std::string("device ") + (i ? guid : "none") + " 0x80000 Card " +
                         static_cast<char>('A' + i));
    }
    return script;
}

std::vector<std::string> SixteenOfThem()
{
    std::vector<std::string> items;
    items.reserve(16);
    for (int i = 0; i < 16; ++i)
        items.push_back("Card " + std::string(1, static_cast<char>('A' + i)));
    return items;
}

INSTANTIATE_TEST_SUITE_P(
    Display, DeviceFailures,
    testing::Values(
        FailureCase{
            "CreateFailsForTheFirst", {"device none 0x80000 Only", "fail 0 create"}, {}, true},
        FailureCase{
            "NoDirectDraw7ForTheFirst", {"device none 0x80000 Only", "fail 0 dd7"}, {}, true},
        FailureCase{"CapabilitiesFailForTheSecond",
                    {"device none 0x80000 First",
                     "device {00000002-0000-0000-0000-000000000000} 0x0 Second", "fail 1 getcaps"},
                    {"First"},
                    false},
        FailureCase{"AnEmptyIdentification",
                    {"device none 0x80000 Lost", "fail 0 identifier"},
                    {""},
                    false},
        FailureCase{"SeventeenDevices", SeventeenDevices(), SixteenOfThem(), false}),
    [](const testing::TestParamInfo<FailureCase>& param) { return std::string(param.param.name); });

TEST_F(ScriptedDevices, WithoutDirectDrawTheMenuSaysSoAndDisablesRun)
{
    UseDirectDraw("");
    Script({});
    LauncherRun run;
    const auto seen = run.DismissMessageBox(run.WaitForMessageBox());
    EXPECT_EQ(seen.caption, kErrorCaption);
    EXPECT_EQ(seen.text, kNoDevice);
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(IsEnabled(::GetDlgItem(menu, kOptionsRun)));
    EXPECT_TRUE(ComboItems(::GetDlgItem(menu, kOptionsChooser)).empty());
    EXPECT_EQ(StoredInstallText("VIDEOCARD"), "");
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

struct ChoiceCase {
    const char* name;
    std::vector<std::string> script;
    const char* stored;
    std::vector<std::string> items;
    int selected;
    std::string storedAfter;
    friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class Choices : public ScriptedDevices, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(Choices, SelectAndStoreTheChosenDevice)
{
    const ChoiceCase& c = GetParam();
    Script(c.script, c.stored);
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    HWND chooser = ::GetDlgItem(menu, kOptionsChooser);
    EXPECT_EQ(ComboItems(chooser), c.items);
    EXPECT_EQ(ComboSelection(chooser), c.selected);
    EXPECT_EQ(StoredInstallText("VIDEOCARD"), c.storedAfter);
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

const std::vector<std::string> kXyzAbc = {"device none 0x80000 XYZ",
                                          "device {00000002-0000-0000-0000-000000000000} 0 abc"};

INSTANTIATE_TEST_SUITE_P(
    Display, Choices,
    testing::Values(ChoiceCase{"MatchIgnoringCase", kXyzAbc, "ABC", {"abc", "XYZ"}, 0, "abc"},
                    ChoiceCase{
                        "NoMatchTakesTheFirstDevice", kXyzAbc, "Voodoo", {"abc", "XYZ"}, 1, "XYZ"},
                    ChoiceCase{"EmptyStoredName", kXyzAbc, "", {"abc", "XYZ"}, 1, "XYZ"},
                    ChoiceCase{"TwoEqualDescriptions",
                               {"device none 0x80000 Twin",
                                "device {00000002-0000-0000-0000-000000000000} 0x0 Twin"},
                               "twin",
                               {"Twin", "Twin"},
                               0,
                               "Twin"}),
    [](const testing::TestParamInfo<ChoiceCase>& param) { return std::string(param.param.name); });

TEST_F(ScriptedDevices, TheMatchingIsTracedLineByLine)
{
    Script(kXyzAbc, "ABC");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(
        ReadLines("C:\\testlb.txt"),
        (std::vector<std::string>{"ABC", "Passed strlen test", "", "Testing ABC against XYZ",
                                  "Not matched.", "", "Testing ABC against abc", "Matched!", ""}));
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

TEST_F(ScriptedDevices, AChoiceIsStoredAtOnce)
{
    Script(kXyzAbc, "ABC");
    LauncherRun run;
    HWND menu = run.WaitForMenu(kOptionsRun);
    ASSERT_NE(menu, nullptr);
    HWND chooser = ::GetDlgItem(menu, kOptionsChooser);
    // As a user's pick: the selection moves, then the menu hears of it.
    // The list sorts without regard to case: "abc" (chosen, as stored) comes before "XYZ".
    ::SendMessageTimeoutW(chooser, CB_SETCURSEL, 1, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    ::PostMessageA(menu, WM_COMMAND, MAKEWPARAM(kOptionsChooser, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(chooser));
    EXPECT_TRUE(WaitUntil([] { return StoredInstallText("VIDEOCARD") == "XYZ"; }));
    ClickButton(::GetDlgItem(menu, kExit));
    EXPECT_TRUE(run.WaitForExit());
}

} // namespace
