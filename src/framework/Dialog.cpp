#include "framework/Dialog.h"

#include "framework/WinApp.h"

#include <utility>

namespace {

// Messages whose dialog-procedure return value is their result; every other result goes
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_TemplateId(templateId), m_pParentWnd(parent)
{
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const INT_PTR result =
        ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_TemplateId), owner,
                          &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    if (m_PendingException)
        std::rethrow_exception(std::exchange(m_PendingException, nullptr));
    return result;
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange* /*dx*/)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx{saveAndValidate, this};
    DoDataExchange(&dx);
    return TRUE;
}

bool CDialog::OnMessage(const Message& msg, LRESULT& result)
{
    if (msg.message != WM_COMMAND || msg.Notification() != BN_CLICKED)
        return false;
    if (msg.ControlId() == IDOK)
        OnOK();
    else if (msg.ControlId() == IDCANCEL)
        OnCancel();
    else
        return false;
    result = 0;
    return true;
}

LRESULT CDialog::Default()
{
    // DefDlgProc calls this dialog's procedure first; it declines the forwarded message so that
    // the dialog manager's own handling runs now, inside the handler.
    m_MessageForDefault = m_CurrentMessage;
    const LRESULT result = ::DefDlgProcA(m_hWnd, m_CurrentMessage->message,
                                         m_CurrentMessage->wParam, m_CurrentMessage->lParam);
    m_MessageForDefault = nullptr;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog)
        return FALSE;

    // No exception may unwind through the system's dialog code: end the dialog and let DoModal
    // rethrow it.
    try {
        return dialog->HandleMessage(Message{message, wParam, lParam});
    } catch (...) {
        dialog->m_PendingException = std::current_exception();
        ::EndDialog(window, -1);
        return TRUE;
    }
}

INT_PTR CDialog::HandleMessage(const Message& msg)
{
    if (m_MessageForDefault && m_MessageForDefault->message == msg.message &&
        m_MessageForDefault->wParam == msg.wParam && m_MessageForDefault->lParam == msg.lParam) {
        m_MessageForDefault = nullptr;
        return FALSE;
    }
    if (msg.message == WM_INITDIALOG)
        return HandleInitDialog();

    const Message* outer = std::exchange(m_CurrentMessage, &msg);
    LRESULT result = 0;
    const bool handled = OnMessage(msg, result);
    m_CurrentMessage = outer;
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(msg.message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

BOOL CDialog::HandleInitDialog()
{
    const auto styleBefore = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    RECT rectBefore;
    GetWindowRect(&rectBefore);
    const BOOL result = OnInitDialog();
    CentreIfUntouched(styleBefore, rectBefore);
    return result;
}

void CDialog::CentreIfUntouched(DWORD styleBefore, const RECT& rectBefore)
{
    // Only a dialog that was hidden, is still hidden and was not moved during its initialisation,
    // and whose template does not place it itself.
    if (!::IsWindow(m_hWnd) || (styleBefore & WS_VISIBLE))
        return;
    const auto style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    if (style & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))
        return;
    RECT rect;
    GetWindowRect(&rect);
    if (rect.left != rectBefore.left || rect.top != rectBefore.top)
        return;
    CentreOverOwner();
}

void CDialog::CentreOverOwner()
{
    RECT dialogRect;
    GetWindowRect(&dialogRect);
    const int width = dialogRect.right - dialogRect.left;
    const int height = dialogRect.bottom - dialogRect.top;

    // Over a visible, not minimised owner; else over the work area. Either way kept inside the
    // work area of the monitor the owner (or the dialog) is on.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && (!::IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST),
                      &monitor);
    const RECT area = monitor.rcWork;
    RECT centre = area;
    if (owner)
        ::GetWindowRect(owner, &centre);

    int left = (centre.left + centre.right) / 2 - width / 2;
    int top = (centre.top + centre.bottom) / 2 - height / 2;
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    SetWindowPos(nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
