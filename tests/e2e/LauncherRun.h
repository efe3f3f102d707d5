// One run of lumbrel.exe as a user meets it: its message boxes, its full-screen main window and
// its menu, and the moment it ends.
#pragma once

#include "DesktopWindows.h"
#include "base/Win32Handles.h"

#include <windows.h>

#include <chrono>
#include <string>

// The menus' controls, by the ids a user's tools find them by.
inline constexpr int kAutorunSetup = 1000;
inline constexpr int kExit = 1002;
inline constexpr int kHelp = 1005;
inline constexpr int kOptionsUninstall = 1003;
inline constexpr int kOptionsSetup = 1004;
inline constexpr int kOptionsChooser = 1006;
inline constexpr int kOptionsRun = 1007;
inline constexpr int kDeveloperWebSite = 1011;
inline constexpr int kGamesWebSite = 1012;

class LauncherRun {
public:
    // Starts the lumbrel.exe in `folder`, with the driver's folder as working directory.
    explicit LauncherRun(const std::string& folder);
    LauncherRun();
    // Starts `program` in `workingDirectory`, as autorun starts it from a disc's root.
    LauncherRun(const std::string& program, const std::string& workingDirectory);
    ~LauncherRun(); // ends the launcher if a scenario left it running
    LauncherRun(const LauncherRun&) = delete;
    LauncherRun& operator=(const LauncherRun&) = delete;

    DWORD ThreadId() const { return m_ThreadId; }

    // The message box that is up now or comes up next; null when none comes.
    HWND WaitForMessageBox();
    // Reads a message box's text and caption, then presses its OK button.
    struct Box {
        std::string caption;
        std::string text;
    };
    Box DismissMessageBox(HWND box);

    // The full-screen main window: the launcher's top-level dialog without controls.
    HWND MainWindow() const;
    // A menu (a visible dialog with the given control); null when none comes up.
    HWND WaitForMenu(int controlId, std::chrono::milliseconds timeout = 20s);

    // A control's rectangle in screen coordinates as it was while `menu` initialised: with the
    // menu's client area at the main window's client origin, before the menu was centred.
    RECT ControlRectBeforeCentring(HWND menu, int controlId) const;

    // True when the process has ended within the time allowed.
    bool WaitForExit();
    DWORD ExitCode() const;

private:
    UniqueKernelHandle m_Process;
    DWORD m_ProcessId = 0;
    DWORD m_ThreadId = 0;
};
