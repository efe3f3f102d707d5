#include "MenuWatch.h"
#include "StartProgram.h"
#include "framework/DeviceContext.h"
#include "resource.h"

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kMenuTimeout = 20s;
constexpr auto kPictureTimeout = 10s;
constexpr DWORD kIdleTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 20000;

// A visible dialog of the process with the menu's control.
bool IsMenu(HWND window, DWORD processId, int controlId)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    return owner == processId && std::string_view(className) == "#32770" &&
           ::IsWindowVisible(window) && ::GetDlgItem(window, controlId) != nullptr;
}

struct MenuSearch {
    DWORD processId;
    int controlId;
    HWND menu;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<MenuSearch*>(context);
    if (!IsMenu(window, search.processId, search.controlId))
        return TRUE;
    search.menu = window;
    return FALSE;
}

HWND FindMenu(DWORD processId, int controlId)
{
    MenuSearch search{processId, controlId, nullptr};
    ::EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.menu;
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A started program that is ended, if it still runs, when this goes.
class WatchedProgram {
public:
    explicit WatchedProgram(const std::string& program) : m_Started(StartProgram(program))
    {
        if (!m_Started.process)
            throw std::runtime_error("cannot start " + program);
    }
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;
    ~WatchedProgram()
    {
        if (::WaitForSingleObject(Process(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(Process(), 1);
            ::WaitForSingleObject(Process(), kExitTimeoutMs);
        }
    }

    HANDLE Process() const { return m_Started.process.get(); }
    DWORD ProcessId() const { return m_Started.id; }

private:
    StartedProcess m_Started;
};

// Checks `done` every `pollMs` until it holds; false when the deadline passes or the process
// ends first.
bool PollUntil(HANDLE process, Clock::time_point deadline, DWORD pollMs,
               const std::function<bool()>& done)
{
    for (;;) {
        if (done())
            return true;
        if (Clock::now() >= deadline)
            return false;
        if (::WaitForSingleObject(process, pollMs) == WAIT_OBJECT_0)
            return done();
    }
}

COLORREF ScreenPixel(HWND menu, POINT clientPoint)
{
    ::ClientToScreen(menu, &clientPoint);
    const CClientDC screen(nullptr);
    return ::GetPixel(screen, clientPoint.x, clientPoint.y);
}

// Closes the menu as a click on its Exit button would, and waits for the process to end.
bool CloseAndWait(const WatchedProgram& started, HWND menu)
{
    ::PostMessageA(menu, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(menu, IDC_EXIT)));
    return ::WaitForSingleObject(started.Process(), kExitTimeoutMs) == WAIT_OBJECT_0;
}

} // namespace

MenuWatch::MenuWatch(std::string program, MenuLook look)
    : m_Program(std::move(program)), m_Look(look)
{
}

bool MenuWatch::Calibrate()
{
    MenuTimes ignored{};
    return Run(ignored, true);
}

bool MenuWatch::TimeOneStart(MenuTimes& times)
{
    return m_Painted != CLR_INVALID && Run(times, false);
}

bool MenuWatch::Run(MenuTimes& times, bool calibrating)
{
    const Clock::time_point start = Clock::now();
    const WatchedProgram started(m_Program);

    // Nothing is looked at before the program first waits for input, which a dialog program
    // does once its dialog is up: looking earlier would take processor time from its start. Then
    // the menu and its picture are looked for every millisecond. (Wine reports no shown windows
    // of other processes to WinEvent hooks, which would have spared the looking.)
    ::WaitForInputIdle(started.Process(), kIdleTimeoutMs);
    HWND menu = nullptr;
    if (!PollUntil(started.Process(), start + kMenuTimeout, 1, [&] {
            menu = FindMenu(started.ProcessId(), m_Look.controlId);
            return menu != nullptr;
        }))
        return false;
    times.shownMs = MillisecondsSince(start);

    const POINT point = m_Look.picturePoint(menu);
    if (calibrating) {
        // The colour the picture settles on, which is not the dialog's background.
        const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
        COLORREF previous = CLR_INVALID;
        if (!PollUntil(started.Process(), Clock::now() + kPictureTimeout, 50, [&] {
                const COLORREF seen = ScreenPixel(menu, point);
                return std::exchange(previous, seen) == seen && seen != background;
            }))
            return false;
        m_Painted = previous;
    } else if (!PollUntil(started.Process(), start + kPictureTimeout, 1,
                          [&] { return ScreenPixel(menu, point) == m_Painted; })) {
        return false;
    }
    times.paintedMs = MillisecondsSince(start);
    return CloseAndWait(started, menu);
}
