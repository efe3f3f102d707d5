#include "base/PathSeparators.h"
#include "display/DeviceEnumeration.h"
#include "display/DeviceTable.h"
#include "install/DiscLayout.h"
#include "install/InstallRecord.h"
#include "install/InstallRegistry.h"
#include "menus/CommandBuffer.h"
#include "menus/Launch.h"
#include "menus/OptionDlg.h"
#include "resource.h"

#include <utility>

const MessageMapEntry<COptionDlg> COptionDlg::s_messageMap[] = {
    {WM_COMMAND, IDC_VIDEOCARD, CBN_SELCHANGE, &COptionDlg::OnSelchangeVideoCard},
    {WM_COMMAND, IDC_RUN, BN_CLICKED, &COptionDlg::OnRun},
    {WM_COMMAND, IDC_UNINSTALL, BN_CLICKED, &COptionDlg::OnUninstall},
    {WM_COMMAND, IDC_OPTIONS_SETUP, BN_CLICKED, &COptionDlg::OnSetup},
    {WM_COMMAND, IDC_EXIT, BN_CLICKED, &COptionDlg::OnExit},
    {WM_COMMAND, IDC_DEVELOPER_WEBSITE, BN_CLICKED, &COptionDlg::OnDeveloperWebSite},
    {WM_COMMAND, IDC_GAMES_WEBSITE, BN_CLICKED, &COptionDlg::OnGamesWebSite},
    {WM_COMMAND, IDC_HELP_DOCUMENT, BN_CLICKED, &COptionDlg::OnHelp},
    {WM_PAINT, 0, 0, &COptionDlg::OnPaint},
};

COptionDlg::COptionDlg(CWnd* parent, std::optional<std::string> launcherDisc)
    : CPictureMenu(IDD_OPTIONS, parent), m_LauncherDisc(std::move(launcherDisc))
{
}

bool COptionDlg::OnMessage(const Message& msg, LRESULT& result)
{
    return DispatchMessageMap<COptionDlg>(*this, s_messageMap, msg, result) ||
           CPictureMenu::OnMessage(msg, result);
}

BOOL COptionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (const auto record = ReadInstallRecord()) {
        m_RunCommand = {GameProgram(*record), RunCommand(*record)};
        m_UninstallCommand = {UninstallProgram(*record), UninstallCommand(*record)};
        m_SrcDrive = record->SrcDrive;
    }

    EnumerateDevices();
    if (!g_DDrawOK) {
        // Before the menu is shown; the game cannot run, so Run is disabled from the start.
        ::MessageBoxA(nullptr, g_DDrawError, "Error", MB_OK | MB_ICONEXCLAMATION);
        GetDlgItem(IDC_RUN).EnableWindow(FALSE);
    }

    FillVideoCardList(ReadVideoCard());

    const auto pictureOn = [](const std::string& root) { return SetupPicturePath(root); };
    m_SourcePicture.LoadTga(SetupPicturePath(SourceHolding(pictureOn)).c_str());
    PlacePicture(OptionsPictureArea(*this));
    return TRUE;
}

RECT OptionsPictureArea(const CWnd& menu)
{
    // Left of the button column, from the Run button's lower edge to one button height above the
    // web-site buttons. Read, like the autorun menu's area, before the framework centres the menu.
    RECT webSite;
    RECT run;
    menu.GetDlgItem(IDC_DEVELOPER_WEBSITE).GetWindowRect(&webSite);
    menu.GetDlgItem(IDC_RUN).GetWindowRect(&run);
    const LONG buttonHeight = webSite.bottom - webSite.top;
    return {webSite.left, run.bottom, run.left - buttonHeight, webSite.top - buttonHeight};
}

void COptionDlg::OnRun()
{
    if (!g_DDrawOK)
        return;
    EndDialog(0);
    LaunchProgram(m_RunCommand, kOptionsCommandCapacity);
}

std::string COptionDlg::SourceHolding(const PathOnDisc& fileOn) const
{
    return ::SourceHolding(m_SrcDrive, m_LauncherDisc, fileOn, OpensForReading);
}

void COptionDlg::OnSetup()
{
    EndDialog(0);
    // Without a record there is no drive, and so no installer, to start.
    const auto setupOn = [](const std::string& root) { return SetupCommand(root); };
    const std::string root = SourceHolding(setupOn);
    LaunchProgram(ProgramAlone(SetupCommand(root)), CapacityUnder(root, kOptionsCommandCapacity));
}

void COptionDlg::OnUninstall()
{
    EndDialog(0);
    LaunchProgram(m_UninstallCommand, kOptionsCommandCapacity);
}

void COptionDlg::OnExit()
{
    EndDialog(0);
}

void COptionDlg::OnDeveloperWebSite()
{
    OpenWebShortcut(kDeveloperWebShortcut);
}

void COptionDlg::OnGamesWebSite()
{
    OpenWebShortcut(kGamesWebShortcut);
}

void COptionDlg::OpenWebShortcut(const char* fileName)
{
    const std::string root =
        SourceHolding([fileName](const std::string& disc) { return SourcePath(disc, fileName); });
    ShellOpen(m_hWnd, fileName, WebShortcutDirectory(root), CapacityUnder(root, kDirectoryCapacity),
              SW_HIDE);
}

void COptionDlg::OnHelp()
{
    const std::string root = SourceHolding([](const std::string& disc) {
        return JoinPath(HelpDirectory(disc), kHelpDocument, SystemLeadBytes());
    });
    ShellOpen(m_hWnd, kHelpDocument, HelpDirectory(root), CapacityUnder(root, kDirectoryCapacity),
              SW_SHOW);
}
