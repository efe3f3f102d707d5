#include "framework/DeviceContext.h"

CPaintDC::CPaintDC(HWND window) : CDC(nullptr), m_hWnd(window), m_ps{}
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND window) : CDC(::GetDC(window)), m_hWnd(window)
{
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}
