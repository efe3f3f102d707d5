#include "LauncherScenario.h"

#include <cstdlib>

std::string LauncherScenario::InsertCd(char letter)
{
    std::string folder = MakeCdFolder(std::string("cd-") + letter);
    MapDrive(letter, folder);
    return folder;
}

void LauncherScenario::ExpectMessage(LauncherRun& run, const std::string& text)
{
    HWND box = run.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box came up; expected: " << text;
    const LauncherRun::Box seen = run.DismissMessageBox(box);
    EXPECT_EQ(seen.caption, "lumbrel");
    EXPECT_EQ(seen.text, text);
}

void LauncherScenario::SetUp()
{
    // Wine shows no window, and so no message box, without an X display.
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run the scenarios on an X display (Xvfb)";
    Reset();
}

void LauncherScenario::Reset()
{
    for (char letter = 'D'; letter <= 'Y'; ++letter)
        UnmapDrive(letter);
    DeleteInstallRecord();
    DeleteTree("C:\\zarn2000");
}
