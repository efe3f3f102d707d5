#include "menus/Option.h"

#include "resource.h"

const MessageMapEntry<COptionDlg> COptionDlg::s_messageMap[] = {
    {WM_COMMAND, IDC_EXIT, BN_CLICKED, &COptionDlg::OnExit},
};

COptionDlg::COptionDlg(CWnd* parent) : CDialog(IDD_OPTIONS, parent)
{
}

bool COptionDlg::OnMessage(const Message& msg, LRESULT& result)
{
    return DispatchMessageMap<COptionDlg>(*this, s_messageMap, msg, result) ||
           CDialog::OnMessage(msg, result);
}

void COptionDlg::OnExit()
{
    EndDialog(0);
}
