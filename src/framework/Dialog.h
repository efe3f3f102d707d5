// Dialogs built from resource templates and run modally, with the framework's order of events:
// OnInitDialog runs inside WM_INITDIALOG, a hidden and unmoved dialog is centred over its owner
// only after it returns, IDOK and IDCANCEL reach OnOK and OnCancel, and EndDialog ends the modal
// loop once the handler that called it has returned.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Wnd.h"

#include <windows.h>

#include <exception>

// The data exchange between a dialog and its members. The launcher's dialogs exchange nothing;
// UpdateData and DoDataExchange are kept because OnInitDialog and OnOK call them in that order, and
// the main window overrides DoDataExchange.
struct CDataExchange {
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog; returns the value given to it. The window is destroyed
    // before this returns.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    virtual void OnOK();
    virtual void OnCancel();

    // The message-map accessor: true when the message was handled, with its value in `result`.
    virtual bool OnMessage(const Message& msg, LRESULT& result);

    // The dialog manager's own handling of the message being handled now (for WM_PAINT it
    // validates the window).
    LRESULT Default();

    BOOL UpdateData(BOOL saveAndValidate = TRUE);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(const Message& msg);
    BOOL HandleInitDialog();
    void CentreIfUntouched(DWORD styleBefore, const RECT& rectBefore);
    void CentreOverOwner();

    UINT m_TemplateId;
    CWnd* m_pParentWnd;
    const Message* m_CurrentMessage = nullptr;
    const Message* m_MessageForDefault = nullptr;
    std::exception_ptr m_PendingException;
};
