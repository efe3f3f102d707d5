#include "menus/AutorunDlg.h"

#include "app/SourceDrive.h"
#include "resource.h"

const MessageMapEntry<CAutorunDlg> CAutorunDlg::s_messageMap[] = {
    {WM_COMMAND, IDC_EXIT, BN_CLICKED, &CAutorunDlg::OnExit},
};

CAutorunDlg::CAutorunDlg(CWnd* parent) : CDialog(IDD_AUTORUN, parent)
{
}

bool CAutorunDlg::OnMessage(const Message& msg, LRESULT& result)
{
    return DispatchMessageMap<CAutorunDlg>(*this, s_messageMap, msg, result) ||
           CDialog::OnMessage(msg, result);
}

BOOL CAutorunDlg::OnInitDialog()
{
    // The menu scans for the CD again, with its own wording of the message.
    m_SourceDrive = FindSourceDrive(kAutorunMenuNoCdMessage);
    CDialog::OnInitDialog();
    return TRUE;
}

void CAutorunDlg::OnExit()
{
    EndDialog(0);
}
