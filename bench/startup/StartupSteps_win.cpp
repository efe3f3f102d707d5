#include "StartupSteps.h"
#include "base/Win32Handles.h"
#include "display/DeviceEnumeration.h"
#include "display/DeviceTable.h"
#include "framework/DeviceContext.h"
#include "framework/Wnd.h"
#include "install/DiscLayout.h"
#include "install/InstallRecord.h"
#include "install/InstallRegistry.h"
#include "install/SourceDrive.h"
#include "menus/AutorunDlg.h"
#include "menus/OptionDlg.h"
#include "picture/tga.h"
#include "resource.h"

#include <chrono>
#include <stdexcept>

namespace {

// The demo CD is in its drive while the steps are timed, so the text is never shown.
constexpr const char* kNoCdMessage = "no CD";

using Clock = std::chrono::steady_clock;

template <class Step> void AddTime(double& total, Step step)
{
    const Clock::time_point start = Clock::now();
    step();
    total += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

INT_PTR CALLBACK PassiveDialogProc(HWND /*dialog*/, UINT message, WPARAM /*wParam*/,
                                   LPARAM /*lParam*/)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A window made from one of the launcher's templates, with no behaviour of its own.
UniqueWindow TemplateWindow(UINT templateId, HWND owner)
{
    UniqueWindow window(::CreateDialogParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, &PassiveDialogProc, 0));
    if (!window)
        throw std::runtime_error("cannot create a window from the launcher's template");
    return window;
}

void HandleWaitingMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
}

} // namespace

StepTimes TimeLauncherSteps(LauncherMenu menu, const std::string& launcherPath)
{
    // The windows are the launcher's, made before anything is timed: making them is what every
    // dialog program pays.
    const UniqueWindow mainWindow = TemplateWindow(IDD_LUMBREL_DIALOG, nullptr);
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ::SetWindowPos(mainWindow.get(), HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
    const bool autorun = menu == LauncherMenu::Autorun;
    const UniqueWindow menuWindow =
        TemplateWindow(autorun ? IDD_AUTORUN : IDD_OPTIONS, mainWindow.get());
    const RECT area = autorun ? AutorunPictureArea(CWnd(menuWindow.get()))
                              : OptionsPictureArea(CWnd(menuWindow.get()));
    ::ShowWindow(menuWindow.get(), SW_SHOW);
    HandleWaitingMessages();

    StepTimes times;
    std::string root;
    CTga intro;
    CTga source;
    AddTime(times.driveScan,
            [&] { root = FindSourceDrive(kNoCdMessage, launcherPath, OpensForReading); });
    AddTime(times.decode, [&] { intro.LoadTga(IntroPicturePath(root).c_str()); });
    bool installed = false;
    AddTime(times.record, [&] { installed = IsGameInstalled(); });
    if (installed != !autorun)
        throw std::runtime_error("the install record does not match the menu");
    if (autorun) {
        AddTime(times.driveScan,
                [&] { root = FindSourceDrive(kNoCdMessage, launcherPath, OpensForReading); });
        AddTime(times.decode, [&] { source.LoadTga(AutorunPicturePath(root).c_str()); });
    } else {
        std::string srcDrive;
        AddTime(times.record,
                [&] { srcDrive = ReadInstallRecord().value_or(InstallRecord{}).SrcDrive; });
        AddTime(times.directDraw, [] { EnumerateDevices(); });
        AddTime(times.record, [] { ReadVideoCard(); });
        AddTime(times.decode, [&] { source.LoadTga(SetupPicturePath(srcDrive).c_str()); });
    }

    CTga shown;
    const SIZE size{area.right - area.left, area.bottom - area.top};
    AddTime(times.rescale, [&] {
        shown.CreateBlank(size.cx, size.cy);
        source.RescaleInto(shown);
    });

    AddTime(times.firstPaint, [&] {
        RECT client;
        ::GetClientRect(mainWindow.get(), &client);
        CClientDC mainDc(mainWindow.get());
        intro.Draw(mainDc, 0, 0, client.right, client.bottom);
        CClientDC menuDc(menuWindow.get());
        shown.Draw(menuDc, area.left, area.top, size.cx, size.cy);
        ::GdiFlush();
    });
    return times;
}
