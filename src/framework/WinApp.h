// The application object: one global instance whose InitInstance the start-up runs.
#pragma once

#include "framework/Wnd.h"

#include <windows.h>

#include <string>

class CWinApp {
public:
    // Without a name the application title is the executable's file name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the program at once: ExitInstance runs and the message loop never starts.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    HICON LoadIcon(UINT resourceId) const;

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName = nullptr;

private:
    std::string m_AppTitle;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
const char* AfxGetAppName();

// Gave dialogs of old systems their three-dimensional controls. Every Win32 system since the first
// 32-bit shell draws dialog controls that way itself, so there is nothing left to switch on.
BOOL Enable3dControlsStatic();

// The framework's start-up, called from WinMain: AfxWinInit, then the application's
// InitInstance, and its message loop only when InitInstance returns TRUE.
int AfxWinMain(HINSTANCE instance);
// Keeps the module handle and adds the error modes that silence "insert a disk" prompts to the
// mode in force.
void AfxWinInit(HINSTANCE instance);
