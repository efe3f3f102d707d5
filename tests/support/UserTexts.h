// The texts a user meets in the launcher's windows, as the tests expect them: spelled out here
// once, never taken from the launcher's own sources, so that a changed text fails a test.
#pragma once

// Captions of the launcher's message boxes.
inline constexpr const char* kLauncherCaption = "lumbrel";
inline constexpr const char* kErrorCaption = "Error";

// The main window's and the menus' words when no disc is found, and an unreadable picture's.
inline constexpr const char* kMainNoCd =
    "Can't locate the CD drive, please insert the ZARN VELLOR Season 1999-2000 CD and allow it "
    "to autorun";
inline constexpr const char* kMenuNoCd =
    "Can't locate the CD drive, please insert the Zarn Vellor Season 1999-2000 CD and allow it to "
    "autorun";
inline constexpr const char* kEmptyTga = "Empty tga file";

// The video-card chooser's failures.
inline constexpr const char* kNoDevice =
    "No DirectDraw/D3D compatible video cards detected. Install Direct 7.0a manually and ensure "
    "you have a suitable 3d accelerator video card. Until that time, you will not be able to run "
    "the game.";
inline constexpr const char* kCreateFailed =
    "Can't create DDraw object in enumeration callback. You cannot run the game.";
inline constexpr const char* kDD7Failed =
    "Can't fetch DD7 Interface in enumeration callback. You cannot run the game.";
inline constexpr const char* kCapsFailed =
    "Error retrieving driver capabilities in enumeration callback. You cannot run the game.";
