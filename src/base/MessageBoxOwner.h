// Whom a report's message box belongs to (base/Report.h): the window it stays in front of and
// its caption. The application says so once it exists; until then a box has neither.
#pragma once

#include <windows.h>

struct MessageBoxOwner {
    HWND (*window)(); // the window the box is owned by, at the time it comes up
    const char* (*caption)();
};

void SetMessageBoxOwner(const MessageBoxOwner& owner);
