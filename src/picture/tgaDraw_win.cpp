// Drawing a picture with GDI, straight from its pixel section.
#include "framework/DeviceContext.h"
#include "picture/tga.h"

#include <windows.h>

int CTga::Draw(CDC& dc, int x, int y, int w, int h) const
{
    if (IsEmpty())
        return 0;
    // No palette and no stretching mode of our own: the context's current mode applies. GDI's
    // result is not examined; a failed draw leaves the rectangle as it was.
    ::StretchDIBits(
        dc.GetSafeHdc(), x, y, w, h, 0, 0, m_pInfoHeader->biWidth, m_pInfoHeader->biHeight, m_pBits,
        reinterpret_cast<const BITMAPINFO*>(m_pInfoHeader.get()), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}
