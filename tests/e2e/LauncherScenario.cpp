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
    // Wine maps Z: to the Unix root; a marker there would be found before any test CD.
    ASSERT_EQ(::GetFileAttributesA("Z:\\zarn2000\\lumbrel.exe"), INVALID_FILE_ATTRIBUTES);
    Reset();
    ::SetEnvironmentVariableA("LUMBREL_STANDIN_LOG", StandinLogPath().c_str());
    RegisterDocumentOpener();
}

void LauncherScenario::Reset()
{
    for (char letter = 'D'; letter <= 'Y'; ++letter)
        UnmapDrive(letter);
    DeleteInstallRecord();
    DeleteTree("C:\\zarn2000");
    ::DeleteFileA(StandinLogPath().c_str());
    // The launcher's own trace files.
    ::DeleteFileA("C:\\debug.err");
    ::DeleteFileA("C:\\testlb.txt");
}

std::vector<std::string> LauncherScenario::WaitForStandinLines(size_t count)
{
    std::vector<std::string> lines;
    WaitUntil([&] {
        lines = StandinLog();
        return lines.size() >= count;
    });
    return lines;
}
