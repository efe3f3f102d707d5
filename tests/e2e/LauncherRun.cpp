#include "LauncherRun.h"

#include "DesktopWindows.h"
#include "TestMachine.h"

#include <stdexcept>

namespace {

bool IsDialog(HWND window)
{
    return WindowClass(window) == "#32770";
}

bool IsMessageBox(HWND window)
{
    // A message box is a dialog with a caption and an OK button; the launcher's own dialogs
    // have no caption.
    return IsDialog(window) && IsVisible(window) && !WindowText(window).empty() &&
           ::GetDlgItem(window, IDOK) != nullptr;
}

// The main window is the launcher's only window with a taskbar button, and has no controls.
bool IsMainWindow(HWND window)
{
    const auto exStyle = static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE));
    return IsDialog(window) && (exStyle & WS_EX_APPWINDOW) && !::GetWindow(window, GW_CHILD);
}

} // namespace

LauncherRun::LauncherRun() : LauncherRun(ProgramFolder())
{
}

LauncherRun::LauncherRun(const std::string& folder)
    : LauncherRun(folder + "\\lumbrel.exe", ProgramFolder())
{
}

LauncherRun::LauncherRun(const std::string& program, const std::string& workingDirectory)
{
    // Named apart from its command line: a folder with a space must not start another program.
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDirectory.c_str(), &startup, &started))
        throw std::runtime_error("cannot start " + program);
    // Nothing waits on the launcher's first thread: its handle goes at once, its id stays.
    const UniqueKernelHandle thread(started.hThread);
    m_Process = UniqueKernelHandle(started.hProcess);
    m_ProcessId = started.dwProcessId;
    m_ThreadId = started.dwThreadId;
}

LauncherRun::~LauncherRun()
{
    if (::WaitForSingleObject(m_Process.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_Process.get(), 99);
        ::WaitForSingleObject(m_Process.get(), 5000);
    }
}

HWND LauncherRun::WaitForMessageBox()
{
    HWND box = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindowsOf(m_ProcessId))
            if (IsMessageBox(window)) {
                box = window;
                return true;
            }
        return false;
    });
    return box;
}

LauncherRun::Box LauncherRun::DismissMessageBox(HWND box)
{
    Box seen{WindowText(box), WindowText(::GetDlgItem(box, 0xFFFF))};
    ClickButton(::GetDlgItem(box, IDOK));
    WaitUntil([&] { return !::IsWindow(box) || !IsVisible(box); });
    return seen;
}

HWND LauncherRun::MainWindow() const
{
    for (HWND window : TopLevelWindowsOf(m_ProcessId))
        if (IsMainWindow(window))
            return window;
    return nullptr;
}

HWND LauncherRun::WaitForMenu(int controlId, std::chrono::milliseconds timeout)
{
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(m_ProcessId))
                if (IsDialog(window) && IsVisible(window) && ::GetDlgItem(window, controlId)) {
                    menu = window;
                    return true;
                }
            return false;
        },
        timeout);
    return menu;
}

RECT LauncherRun::ControlRectBeforeCentring(HWND menu, int controlId) const
{
    RECT rect = WindowRect(::GetDlgItem(menu, controlId));
    ::MapWindowPoints(nullptr, menu, reinterpret_cast<POINT*>(&rect), 2);
    const RECT mainClient = ClientRectOnScreen(MainWindow());
    ::OffsetRect(&rect, mainClient.left, mainClient.top);
    return rect;
}

bool LauncherRun::WaitForExit()
{
    return ::WaitForSingleObject(m_Process.get(), 20000) == WAIT_OBJECT_0;
}

DWORD LauncherRun::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_Process.get(), &code);
    return code;
}
