#include "framework/DeviceContext.h"
#include "menus/PictureMenu.h"

void CPictureMenu::PlacePicture(const RECT& area)
{
    m_PictureRect = area;
    m_PictureOrigin = {area.left, area.top};
    m_PictureSize = {area.right - area.left, area.bottom - area.top};
    if (m_PictureSize.cx <= 0 || m_PictureSize.cy <= 0)
        return;
    m_ShownPicture.CreateBlank(m_PictureSize.cx, m_PictureSize.cy);
    m_SourcePicture.RescaleInto(m_ShownPicture);
}

void CPictureMenu::OnPaint()
{
    CClientDC dc(m_hWnd);
    m_ShownPicture.Draw(dc, m_PictureOrigin.x, m_PictureOrigin.y, m_PictureSize.cx,
                        m_PictureSize.cy);
    Default();
}
