#include "framework/WinApp.h"

#include "base/MessageBoxOwner.h"
#include "base/ModulePath.h"
#include "base/PathSeparators.h"

namespace {

CWinApp* g_App = nullptr;
HINSTANCE g_Instance = nullptr;

std::string ExecutableTitle()
{
    std::string name = ModulePath();
    if (const auto slash = LastSeparator(name, SystemLeadBytes()); slash != std::string::npos)
        name.erase(0, slash + 1);
    // No byte of a double-byte letter is a '.', so the extension is found by bytes.
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos)
        name.erase(dot);
    return name;
}

// Like any framework box, a report's is owned by the main window's last active popup, so it stays
// in front of the launcher's windows and keeps them from taking input while it is up.
HWND ActivePopupOfMainWindow()
{
    if (const CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        if (HWND main = app->m_pMainWnd->GetSafeHwnd())
            return ::GetLastActivePopup(main);
    return nullptr;
}

} // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName)
{
    g_App = this;
    SetMessageBoxOwner({&ActivePopupOfMainWindow, &AfxGetAppName});
    if (!m_pszAppName) {
        m_AppTitle = ExecutableTitle();
        m_pszAppName = m_AppTitle.c_str();
    }
}

CWinApp::~CWinApp()
{
    if (g_App == this)
        g_App = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

HICON CWinApp::LoadIcon(UINT resourceId) const
{
    return ::LoadIconA(g_Instance, MAKEINTRESOURCEA(resourceId));
}

CWinApp* AfxGetApp()
{
    return g_App;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_Instance;
}

const char* AfxGetAppName()
{
    return g_App && g_App->m_pszAppName ? g_App->m_pszAppName : "";
}

BOOL Enable3dControlsStatic()
{
    return TRUE;
}

void AfxWinInit(HINSTANCE instance)
{
    g_Instance = instance;
    // A drive without media must fail quietly when probed, not ask the user to insert a disk.
    ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

int AfxWinMain(HINSTANCE instance)
{
    AfxWinInit(instance);
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
