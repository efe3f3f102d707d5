// Looking at another process's windows the way a user sees them: which are up, their texts,
// rectangles and states; and acting on them with clicks and keys.
#pragma once

#include "CdPictures.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 20s);

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::string WindowClass(HWND window);
std::string WindowText(HWND window); // works across processes
RECT WindowRect(HWND window);
// Whether two rectangles share their centre, give or take a pixel of rounding.
bool SameCentre(const RECT& a, const RECT& b);
bool IsVisible(HWND window);
bool IsEnabled(HWND window);
HWND FocusOf(DWORD threadId);

// A combo box's entries in list order, and the index of its selection (CB_ERR for none).
std::vector<std::string> ComboItems(HWND comboBox);
int ComboSelection(HWND comboBox);

// What the screen shows in `area` (screen coordinates), top row first.
TestPicture ReadScreen(const RECT& area);
// What the screen shows in `area` once it shows `expected`, or after `timeout` whatever it
// shows then: another process paints in its own time.
TestPicture ReadScreenWhenItShows(const RECT& area, const TestPicture& expected,
                                  std::chrono::milliseconds timeout = 5s);
// The screen coordinates of a window's client area.
RECT ClientRectOnScreen(HWND window);

// Presses a button as a mouse click on it would.
void ClickButton(HWND button);
// A key going down and up on the window that has the keyboard focus in `threadId`.
void PressKey(DWORD threadId, UINT virtualKey);
