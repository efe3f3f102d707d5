// The launcher's own work before its menu shows, timed step by step in this process by calling
// the launcher's own functions in the order the launcher calls them.
#pragma once

#include <string>

enum class LauncherMenu { Autorun, Options };

// Milliseconds per step; a step the menu does not take stays 0.
struct StepTimes {
    double driveScan = 0;  // both searches for the CD (main window and autorun menu)
    double record = 0;     // the installer's record and the stored video card
    double decode = 0;     // the intro picture and the menu's picture
    double directDraw = 0; // loading DirectDraw and recording its devices
    double rescale = 0;    // the menu's picture into its area
    double firstPaint = 0; // the intro full screen and the menu's picture, through GDI
};

// Runs the steps once, as a fresh launcher does (the first zoom, the first DirectDraw load). The
// launcher is `launcherPath` on the CD; the menu's template comes from this program's resources.
StepTimes TimeLauncherSteps(LauncherMenu menu, const std::string& launcherPath);
