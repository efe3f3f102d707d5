// A non-owning view of a window handle with the few window operations the dialogs use.
#pragma once

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}
    CWnd(const CWnd&) = default;
    CWnd& operator=(const CWnd&) = default;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }

    CWnd GetDlgItem(int controlId) const { return CWnd(::GetDlgItem(m_hWnd, controlId)); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    HICON SetIcon(HICON icon, BOOL bigIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
};
