#include "app/LumbrelApp.h"
#include "app/LumbrelDlg.h"

CLumbrelApp theApp;

BOOL CLumbrelApp::InitInstance()
{
    Enable3dControlsStatic();

    CLumbrelDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
