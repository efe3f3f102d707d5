#include "LauncherScenario.h"

#include <cstdlib>
#include <utility>

std::vector<std::string> StartedCommands(std::vector<std::string> log)
{
    for (std::string& line : log)
        line = line.substr(0, line.find('|', line.find('|') + 1));
    return log;
}

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
    EXPECT_EQ(seen.caption, kLauncherCaption);
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
    DeleteTree(kCdCopyOnC);
    DeleteTree(kCopiesFolder);
    ::DeleteFileA(StandinLogPath().c_str());
    // The launcher's own trace files.
    ::DeleteFileA("C:\\debug.err");
    ::DeleteFileA("C:\\testlb.txt");
}

void LauncherScenario::ExpectAutorunSetupStarts(LauncherRun& run, const std::string& installer,
                                                const char* why)
{
    HWND menu = run.WaitForMenu(kAutorunSetup);
    ASSERT_NE(menu, nullptr) << "held up by a message: " << why;
    ExpectIntroPicture(run);
    ClickButton(::GetDlgItem(menu, kAutorunSetup));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(StartedCommands(WaitForStandinLines(1)),
              std::vector<std::string>{"setup.exe|" + installer});
}

void LauncherScenario::ExpectIntroPicture(LauncherRun& run)
{
    ::RedrawWindow(run.MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // A point well inside each quadrant of the picture.
    const RECT client = ClientRectOnScreen(run.MainWindow());
    const TestPicture intro = IntroPictureOnCd();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    for (const auto& [fx, fy] :
         {std::pair{1, 1}, std::pair{7, 1}, std::pair{1, 7}, std::pair{7, 7}}) {
        const POINT at{client.left + width * fx / 8, client.top + height * fy / 8};
        const Rgb expected = intro.At(intro.width * fx / 8, intro.height * fy / 8);
        const TestPicture seen =
            ReadScreenWhenItShows({at.x, at.y, at.x + 1, at.y + 1}, TestPicture{1, 1, {expected}});
        EXPECT_EQ(seen.pixels[0], expected) << "at " << at.x << "," << at.y;
    }
}

void LauncherScenario::ExpectMenuPictureIn(HWND menu, const RECT& area)
{
    ASSERT_GT(area.right - area.left, 0);
    ASSERT_GT(area.bottom - area.top, 0);
    const RECT client = ClientRectOnScreen(menu);
    const TestPicture expected =
        ScaledPicture(MenuPictureOnCd(), area.right - area.left, area.bottom - area.top);
    const TestPicture seen =
        ReadScreenWhenItShows({client.left + area.left, client.top + area.top,
                               client.left + area.right, client.top + area.bottom},
                              expected);
    EXPECT_EQ(DifferingPixels(seen, expected), 0u)
        << "of " << expected.pixels.size() << " pixels in the " << expected.width << "x"
        << expected.height << " area";
    const TestPicture outside =
        ReadScreen({client.left + area.right, client.top + area.top, client.left + area.right + 1,
                    client.top + area.top + 1});
    EXPECT_FALSE(outside.pixels[0] == expected.At(expected.width - 1, 0));
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
