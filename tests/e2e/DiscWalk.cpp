// disc_walk DRIVE [SHOT_FOLDER]
//
// Walks the demo disc in DRIVE the way its user does, from start to game: the autorun menu over
// the intro picture, Setup running the demo installer, the options menu on the next start, a video
// card chosen, Run starting the game that was installed. With SHOT_FOLDER (a Windows path) the
// screen at each step is saved there as a numbered PPM file (a format no viewer turns upside
// down). Says each step on stdout as it passes; exit status 0 when the walk ends in the game, 1 at
// the first step that did not go as a user would expect (said on stderr), 2 on a bad command line.
#include "DesktopWindows.h"
#include "LauncherRun.h"
#include "TestMachine.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kMessageText = 0xFFFF; // a message box's text control

constexpr const char* kSetupTitle = "Zarn Vellor Season 1999-2000 Setup";
constexpr const char* kGameTitle = "Zarn Vellor Season 1999-2000";

struct WalkFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Expect(bool condition, const std::string& otherwise)
{
    if (!condition)
        throw WalkFailure(otherwise);
}

// A picture, unlike a dialog's face, buttons and texts, has colours by the hundred.
bool ShowsAPicture(const RECT& area)
{
    const TestPicture seen = ReadScreen(area);
    std::set<std::tuple<int, int, int>> colours;
    for (const Rgb& pixel : seen.pixels) {
        colours.emplace(pixel.red, pixel.green, pixel.blue);
        if (colours.size() >= 200)
            return true;
    }
    return false;
}

bool PictureComesUp(const RECT& area)
{
    return WaitUntil([&] { return ShowsAPicture(area); }, 10s);
}

// The message box another program puts up with this caption.
HWND WaitForBoxTitled(const char* caption)
{
    HWND box = nullptr;
    WaitUntil([&] {
        box = ::FindWindowA("#32770", caption);
        return box && IsVisible(box);
    });
    return box;
}

std::string BoxText(HWND box)
{
    return WindowText(::GetDlgItem(box, kMessageText));
}

void Answer(HWND box, int button)
{
    ClickButton(::GetDlgItem(box, button));
    Expect(WaitUntil([&] { return !::IsWindow(box) || !IsVisible(box); }),
           "the message box stayed up after its button was pressed");
}

// The screen once it has stopped changing: a window that has just come up paints in its own time.
TestPicture SettledScreen()
{
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    TestPicture previous = ReadScreen(screen);
    TestPicture current;
    WaitUntil(
        [&] {
            ::Sleep(150);
            current = ReadScreen(screen);
            return std::exchange(previous, current) == current;
        },
        5s);
    return current;
}

void WritePpm(const std::string& path, const TestPicture& picture)
{
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
    for (const Rgb& pixel : picture.pixels)
        file << pixel.red << pixel.green << pixel.blue;
    if (!file)
        throw WalkFailure("cannot write " + path);
}

class DiscWalk {
public:
    DiscWalk(std::string drive, std::string shotFolder)
        : m_Drive(std::move(drive)), m_ShotFolder(std::move(shotFolder))
    {
    }

    void Walk()
    {
        Expect(::GetDriveTypeA((m_Drive + "\\").c_str()) == DRIVE_CDROM,
               m_Drive + " is not a CD-ROM drive");
        AutorunMenuAndSetup();
        OptionsMenuAndRun();
    }

private:
    void AutorunMenuAndSetup()
    {
        LauncherRun launcher = StartFromDisc();
        HWND menu = MenuOverIntro(launcher, kAutorunSetup, "autorun menu");
        Step("autorun-menu", "the autorun menu, over the intro picture");

        ClickButton(::GetDlgItem(menu, kAutorunSetup));
        Expect(launcher.WaitForExit(), "the launcher did not end after Setup");
        HWND question = WaitForBoxTitled(kSetupTitle);
        Expect(question != nullptr, "Setup did not start the installer");
        Step("setup", "Setup started the installer: " + BoxText(question));
        Answer(question, IDYES);

        HWND done = WaitForBoxTitled(kSetupTitle);
        Expect(done != nullptr && BoxText(done).starts_with("The game is installed"),
               "the installer did not finish: " + (done ? BoxText(done) : std::string("no word")));
        Step("installed", "the installer finished: " + BoxText(done));
        Answer(done, IDOK);
    }

    void OptionsMenuAndRun()
    {
        LauncherRun launcher = StartFromDisc();
        HWND menu = MenuOverIntro(launcher, kOptionsRun, "options menu");
        Step("options-menu", "the options menu, now that the game is installed");

        HWND chooser = ::GetDlgItem(menu, kOptionsChooser);
        const std::vector<std::string> cards = ComboItems(chooser);
        Expect(!cards.empty(), "the video-card chooser offers no card");
        // The last card, chosen as a user would: the list opened, an entry picked.
        const int choice = static_cast<int>(cards.size()) - 1;
        ::SendMessageTimeoutA(chooser, CB_SHOWDROPDOWN, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        ::SendMessageTimeoutW(chooser, CB_SETCURSEL, choice, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        Step("video-card", "the video cards on offer, the last one chosen: " + cards.back());
        ::SendMessageTimeoutA(chooser, CB_SHOWDROPDOWN, FALSE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        ::PostMessageA(menu, WM_COMMAND, MAKEWPARAM(kOptionsChooser, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(chooser));
        Expect(WaitUntil([&] { return StoredInstallText("VIDEOCARD") == cards.back(); }),
               "the chosen video card was not stored: " + StoredInstallText("VIDEOCARD"));

        ClickButton(::GetDlgItem(menu, kOptionsRun));
        Expect(launcher.WaitForExit(), "the launcher did not end after Run");
        HWND game = WaitForBoxTitled(kGameTitle);
        Expect(game != nullptr, "Run did not start the installed game");
        const std::string said = BoxText(game);
        Expect(said.find("Video card: " + cards.back()) != std::string::npos,
               "the game was not told the chosen card: " + said);
        Step("game", "Run started the game with the chosen card");
        Answer(game, IDOK);
    }

    LauncherRun StartFromDisc() const
    {
        // As autorun starts its open entry: the program on the disc, in the disc's root.
        return {m_Drive + "\\zarn2000\\lumbrel.exe", m_Drive + "\\"};
    }

    // The menu with `control`, up with its own picture, over the intro picture, which covers
    // the screen and so shows above the centred menu.
    static HWND MenuOverIntro(LauncherRun& launcher, int control, const std::string& menuName)
    {
        HWND menu = launcher.WaitForMenu(control);
        if (!menu) {
            HWND box = launcher.WaitForMessageBox();
            throw WalkFailure("the " + menuName + " did not come up" +
                              (box ? "; the launcher said: " + launcher.DismissMessageBox(box).text
                                   : std::string()));
        }
        HWND main = launcher.MainWindow();
        Expect(main != nullptr, "the launcher's full-screen window is missing");
        const RECT screen = ClientRectOnScreen(main);
        const RECT above{screen.left, screen.top, screen.right, WindowRect(menu).top};
        Expect(PictureComesUp(above), "the intro picture is not on the screen");
        Expect(PictureComesUp(ClientRectOnScreen(menu)), "the " + menuName + " shows no picture");
        return menu;
    }

    void Step(const char* name, const std::string& what)
    {
        ++m_Steps;
        std::printf("%d. %s\n", m_Steps, what.c_str());
        if (!m_ShotFolder.empty())
            WritePpm(m_ShotFolder + "\\" + std::to_string(m_Steps) + "-" + name + ".ppm",
                     SettledScreen());
        std::fflush(stdout);
    }

    std::string m_Drive;
    std::string m_ShotFolder;
    int m_Steps = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || std::string(argv[1]).size() != 2 || argv[1][1] != ':') {
        std::fprintf(stderr, "usage: disc_walk DRIVE [SHOT_FOLDER]   (DRIVE such as D:)\n");
        return 2;
    }
    try {
        DiscWalk(argv[1], argc == 3 ? argv[2] : "").Walk();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "disc_walk: %s\n", failure.what());
        return 1;
    }
    return 0;
}
