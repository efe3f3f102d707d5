// The fixture every scenario starts from: no CD in any drive, no install record, no marker and
// no copy of the disc on C:, and the same again when the scenario ends, whatever it did.
#pragma once

#include "DesktopWindows.h"
#include "LauncherRun.h"
#include "TestMachine.h"
#include "UserTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Where a scenario may copy the disc on C:. With a space, which must lead the system nowhere else.
inline constexpr const char* kCdCopyOnC = "C:\\Zarn Copy";
// Where scenarios put copies of the disc and installed games in folders of every kind: long
// names, accented or Japanese letters. Deleted before and after every scenario.
inline constexpr const char* kCopiesFolder = "C:\\Zarn Copies";

// The stand-ins' log lines cut before the working directory: each program's name and command line.
std::vector<std::string> StartedCommands(std::vector<std::string> log);

class LauncherScenario : public testing::Test {
public:
    // Reads and dismisses the next message box, expecting the application title as caption.
    void ExpectMessage(LauncherRun& run, const std::string& text);

protected:
    void SetUp() override;
    void TearDown() override { Reset(); }

    // A CD folder named after the drive, mapped to it.
    std::string InsertCd(char letter);

    // The main window shows the CD's intro picture stretched over its client area.
    void ExpectIntroPicture(LauncherRun& run);

    // The autorun menu comes up with no message before it (`why` says what a message would
    // mean), over the intro picture; its Setup button ends the launcher and starts `installer`.
    void ExpectAutorunSetupStarts(LauncherRun& run, const std::string& installer, const char* why);

    // The menu shows the CD's menu picture scaled to `area` (its client coordinates), pixel for
    // pixel, and its own background just right of it.
    void ExpectMenuPictureIn(HWND menu, const RECT& area);

    // The stand-ins' log once it has `count` lines (or whatever it has when time runs out).
    std::vector<std::string> WaitForStandinLines(size_t count);

private:
    void Reset();
};
