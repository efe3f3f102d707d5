// Device contexts as scoped values: each class acquires its DC in the constructor and gives it
// back in the destructor, so every path releases what it took.
#pragma once

#include <windows.h>

class CDC {
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

protected:
    explicit CDC(HDC dc) : m_hDC(dc) {}
    ~CDC() = default;

    HDC m_hDC;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC();

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// GetDC of the client area in the constructor, ReleaseDC in the destructor. Unlike a paint DC it
// does not validate the window.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window);
    ~CClientDC();

private:
    HWND m_hWnd;
};
