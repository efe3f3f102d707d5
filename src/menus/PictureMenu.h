// What both menus share: a picture from the CD, scaled once into an area of the menu and drawn
// there on every paint.
#pragma once

#include "framework/Dialog.h"
#include "picture/tga.h"

#include <windows.h>

class CPictureMenu : public CDialog {
protected:
    CPictureMenu(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

    // Takes `area` (client coordinates) as the picture area, makes the shown picture blank at its
    // size and rescales the source picture into it. An area without a positive width and height
    // gets no picture; the menu works without one.
    void PlacePicture(const RECT& area);

    // The menus bind WM_PAINT to this: the shown picture one to one in its area, then the dialog
    // manager's own painting.
    void OnPaint();

    CTga m_SourcePicture;
    CTga m_ShownPicture;
    RECT m_PictureRect{};
    POINT m_PictureOrigin{};
    SIZE m_PictureSize{};
};
