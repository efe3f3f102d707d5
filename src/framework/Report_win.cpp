#include "base/Report.h"
#include "base/ReportFormat.h"
#include "framework/WinApp.h"

#include <windows.h>

#include <cstdio>

int AfxMessageBox(const char* text)
{
    // Like any framework box: owned by the main window's last active popup, so it stays in front
    // of the launcher's windows and keeps them from taking input while it is up.
    HWND owner = nullptr;
    if (const CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        if (HWND main = app->m_pMainWnd->GetSafeHwnd())
            owner = ::GetLastActivePopup(main);
    return ::MessageBoxA(owner, text, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

void AfxTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatReport(format, args);
    va_end(args);
    ::OutputDebugStringA(text.c_str());
}

void ReportToStdErr(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}
