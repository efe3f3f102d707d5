// The application object: runs the full-screen main window and ends when it does.
#pragma once

#include "framework/WinApp.h"

class CLumbrelApp : public CWinApp {
public:
    CLumbrelApp() = default;
    ~CLumbrelApp() override = default;

    // Runs the main window modally; always FALSE, so no message loop of the application's own
    // ever starts.
    BOOL InitInstance() override;
};
