#include "app/LumbrelDlg.h"
#include "framework/DeviceContext.h"
#include "framework/WinApp.h"
#include "install/DiscLayout.h"
#include "install/InstallRegistry.h"
#include "install/SourceDrive.h"
#include "menus/AutorunDlg.h"
#include "menus/OptionDlg.h"
#include "resource.h"

namespace {

// Shown when no drive carries the marker; the autorun menu's text differs in letter case only.
constexpr const char* kMainWindowNoCdMessage =
    "Can't locate the CD drive, please insert the ZARN VELLOR Season 1999-2000 CD and allow it "
    "to autorun";

} // namespace

const MessageMapEntry<CLumbrelDlg> CLumbrelDlg::s_messageMap[] = {
    {WM_PAINT, 0, 0, &CLumbrelDlg::OnPaint},
    {WM_QUERYDRAGICON, 0, 0, &CLumbrelDlg::OnQueryDragIcon},
};

CLumbrelDlg::CLumbrelDlg(CWnd* parent)
    : CDialog(IDD_LUMBREL_DIALOG, parent), m_AppIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME))
{
}

bool CLumbrelDlg::OnMessage(const Message& msg, LRESULT& result)
{
    return DispatchMessageMap<CLumbrelDlg>(*this, s_messageMap, msg, result) ||
           CDialog::OnMessage(msg, result);
}

void CLumbrelDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
}

BOOL CLumbrelDlg::OnInitDialog()
{
    // Before the window is placed or shown, so a missing CD is reported first.
    m_SourceDrive = FindSourceDrive(kMainWindowNoCdMessage);

    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    SetWindowPos(HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);

    CDialog::OnInitDialog();

    m_PictureOrigin = {0, 0};
    GetClientRect(&m_ClientRect);
    m_PictureSize = {m_ClientRect.right - m_ClientRect.left,
                     m_ClientRect.bottom - m_ClientRect.top};

    // A failed load has told the user already; the window then shows its plain background.
    m_IntroPicture.LoadTga(IntroPicturePath(m_SourceDrive).c_str());

    SetIcon(m_AppIcon, TRUE);
    SetIcon(m_AppIcon, FALSE);

    // The menu's modal loop runs here, inside this window's initialisation, and ends the window
    // before its own modal loop could start.
    if (IsGameInstalled())
        RunOptionsMenu();
    else
        RunAutorunMenu();
    return TRUE;
}

void CLumbrelDlg::OnPaint()
{
    if (IsIconic()) {
        PaintMinimised();
        return;
    }
    CClientDC dc(m_hWnd);
    m_IntroPicture.Draw(dc, m_PictureOrigin.x, m_PictureOrigin.y, m_PictureSize.cx,
                        m_PictureSize.cy);
    Default();
}

void CLumbrelDlg::PaintMinimised()
{
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - iconWidth + 1) / 2;
    const int y = (rect.bottom - rect.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, m_AppIcon);
}

HCURSOR CLumbrelDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_AppIcon);
}

void CLumbrelDlg::RunAutorunMenu()
{
    CAutorunDlg menu(this);
    menu.DoModal();
    EndDialog(0);
}

void CLumbrelDlg::RunOptionsMenu()
{
    // The disc the launcher found stands in for the recorded drive where that lacks a file.
    std::optional<std::string> launcherDisc;
    if (m_SourceDrive != kDriveNotFound)
        launcherDisc = m_SourceDrive;
    COptionDlg menu(this, launcherDisc);
    menu.DoModal();
    EndDialog(0);
}
