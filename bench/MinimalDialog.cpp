// Wine's floor for "a process that shows a dialog": one modal dialog from a resource, shown at
// once, which its Exit button ends. The startup timing compares the launcher's menus with it.
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/)
{
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, &MinimalDialogProc, 0);
    return 0;
}
