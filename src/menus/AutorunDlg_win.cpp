#include "install/DiscLayout.h"
#include "install/SourceDrive.h"
#include "menus/AutorunDlg.h"
#include "menus/CommandBuffer.h"
#include "menus/Launch.h"
#include "resource.h"

namespace {

// Shown when no drive carries the marker; the main window's text differs in letter case only.
constexpr const char* kAutorunMenuNoCdMessage =
    "Can't locate the CD drive, please insert the Zarn Vellor Season 1999-2000 CD and allow it to "
    "autorun";

} // namespace

const MessageMapEntry<CAutorunDlg> CAutorunDlg::s_messageMap[] = {
    {WM_COMMAND, IDC_AUTORUN_SETUP, BN_CLICKED, &CAutorunDlg::OnSetup},
    {WM_COMMAND, IDC_EXIT, BN_CLICKED, &CAutorunDlg::OnExit},
    {WM_COMMAND, IDC_HELP_DOCUMENT, BN_CLICKED, &CAutorunDlg::OnHelp},
    {WM_PAINT, 0, 0, &CAutorunDlg::OnPaint},
};

CAutorunDlg::CAutorunDlg(CWnd* parent) : CPictureMenu(IDD_AUTORUN, parent)
{
}

bool CAutorunDlg::OnMessage(const Message& msg, LRESULT& result)
{
    return DispatchMessageMap<CAutorunDlg>(*this, s_messageMap, msg, result) ||
           CPictureMenu::OnMessage(msg, result);
}

BOOL CAutorunDlg::OnInitDialog()
{
    // The menu scans for the CD again, with its own wording of the message.
    m_SourceDrive = FindSourceDrive(kAutorunMenuNoCdMessage);
    CDialog::OnInitDialog();
    m_SourcePicture.LoadTga(AutorunPicturePath(m_SourceDrive).c_str());
    PlacePicture(AutorunPictureArea(*this));
    return TRUE;
}

RECT AutorunPictureArea(const CWnd& menu)
{
    // Read while the menu still stands at its template position, before the framework centres
    // it: the button's screen coordinates then exceed its client coordinates by the two frames
    // (the main window's and the menu's), and the area keeps that offset on every paint.
    RECT setup;
    menu.GetDlgItem(IDC_AUTORUN_SETUP).GetWindowRect(&setup);
    return {20, setup.top, setup.left - 20, 280};
}

void CAutorunDlg::OnSetup()
{
    // The menu ends first; the installer starts inside this handler, and the launcher then exits
    // whether or not it started.
    EndDialog(0);
    LaunchProgram(ProgramAlone(AutorunSetupCommand(m_SourceDrive)),
                  CapacityUnder(m_SourceDrive, kAutorunCommandCapacity));
}

void CAutorunDlg::OnHelp()
{
    ShellOpen(m_hWnd, kHelpDocument, AutorunHelpDirectory(m_SourceDrive),
              CapacityUnder(m_SourceDrive, kDirectoryCapacity), SW_SHOW);
}

void CAutorunDlg::OnExit()
{
    EndDialog(0);
}
