// Starting a program the way autorun starts the launcher, and timing how long the user waits for
// its menu: until the menu window is visible, and until its picture shows on the screen.
#pragma once

#include <windows.h>

#include <string>

// How to know a program's menu and where on it its picture shows.
struct MenuLook {
    int controlId; // a control that only this menu has
    // A point well inside the picture area, in the menu's client coordinates.
    POINT (*picturePoint)(HWND menu);
};

struct MenuTimes {
    // From process creation to the menu visible, as first seen once the program waits for input.
    double shownMs;
    double paintedMs; // from process creation to the picture's colour at the picture point
};

class MenuWatch {
public:
    // `program` is a full Windows path; it starts with its own folder as working directory.
    MenuWatch(std::string program, MenuLook look);

    // Starts the program once, untimed, and records the colour its painted picture shows at the
    // picture point. False when the menu or its picture does not come.
    bool Calibrate();
    // One timed start, after a calibration; the menu is closed with its Exit button and the
    // process has ended when this returns. False when the menu or its picture did not come in
    // time.
    bool TimeOneStart(MenuTimes& times);

private:
    bool Run(MenuTimes& times, bool calibrating);

    std::string m_Program;
    MenuLook m_Look;
    COLORREF m_Painted = CLR_INVALID;
};
