// Wine's floor for "a process that shows a dialog": one modal dialog from a resource, shown at
// once, which its Exit button ends. The startup timing compares the launcher's menus with it.
// Built with MINIMAL_FULL_SCREEN_OWNER, the dialog comes from the initialisation of a full-screen
// dialog that owns it, as the launcher's menus do, but with nothing drawn or read: the floor of
// the launcher's two windows.
#include "MinimalDialog.h"

#include <windows.h>

namespace {

INT_PTR CALLBACK MinimalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_EXIT) {
        ::EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

#if MINIMAL_FULL_SCREEN_OWNER
INT_PTR CALLBACK OwnerProc(HWND owner, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ::SetWindowPos(owner, HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
    ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MINIMAL), owner,
                      &MinimalDialogProc, 0);
    ::EndDialog(owner, 0);
    return TRUE;
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/)
{
#if MINIMAL_FULL_SCREEN_OWNER
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL_OWNER), nullptr, &OwnerProc, 0);
#else
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, &MinimalDialogProc, 0);
#endif
    return 0;
}
