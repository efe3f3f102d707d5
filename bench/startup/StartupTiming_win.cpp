// How long the user waits for the launcher's menu under Wine, against Wine's floor for a process
// that shows a dialog, and where the launcher's own share of that time goes.
//
// Usage: startup_timing [starts] [launcher]
//   Starts the launcher (default D:\zarn2000\lumbrel.exe, on the demo CD) and the minimal dialog
//   programs beside this one (one dialog; the same dialog from a full-screen owner, as the
//   launcher's windows stand), in turn, `starts` times each (default 15), and prints the medians.
//   The autorun menu comes with no install record in the registry, the options menu with the
//   record the demo's installer writes; the record is removed at the end.
// startup_timing --steps autorun|options launcher
//   One fresh run of the launcher's steps in this process; prints their times on one line.
#include "InstallRecordSeed.h"
#include "MenuWatch.h"
#include "MinimalDialog.h"
#include "StartProgram.h"
#include "StartupSteps.h"
#include "base/Win32Handles.h"
#include "framework/Wnd.h"
#include "menus/AutorunDlg.h"
#include "menus/OptionDlg.h"
#include "resource.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kDefaultLauncher = "D:\\zarn2000\\lumbrel.exe";

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\'));
}

// --- The machine's state for each menu ---

void WithoutInstallRecord()
{
    DeleteInstallRecord();
}

// The record as the demo CD's installer leaves it.
void WithInstallRecord(const std::string& sourceDrive)
{
    SeedInstallRecord({.targetDir = "C:\\Games\\Zarn", .srcDrive = sourceDrive});
}

// --- Where each program shows its picture ---

POINT Centre(const RECT& area)
{
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

// The centre of a picture area that the launcher's function reads from a menu now centred. The
// launcher reads it before centring, with the menu at its owner's client origin: the screen
// coordinates it takes for client coordinates are shifted by that much less.
POINT CentreBeforeCentring(HWND menu, const RECT& areaNow)
{
    RECT menuRect;
    ::GetWindowRect(menu, &menuRect);
    POINT ownerOrigin{0, 0};
    ::ClientToScreen(::GetWindow(menu, GW_OWNER), &ownerOrigin);
    const POINT centre = Centre(areaNow);
    return {centre.x - menuRect.left + ownerOrigin.x, centre.y - menuRect.top + ownerOrigin.y};
}

POINT AutorunPicturePoint(HWND menu)
{
    return CentreBeforeCentring(menu, AutorunPictureArea(CWnd(menu)));
}

POINT OptionsPicturePoint(HWND menu)
{
    return CentreBeforeCentring(menu, OptionsPictureArea(CWnd(menu)));
}

POINT MinimalPicturePoint(HWND dialog)
{
    RECT picture;
    ::GetWindowRect(::GetDlgItem(dialog, IDC_MINIMAL_PICTURE), &picture);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&picture), 2);
    return Centre(picture);
}

// --- The launcher's steps, each round in a fresh process ---

const char* MenuName(LauncherMenu menu)
{
    return menu == LauncherMenu::Autorun ? "autorun" : "options";
}

int PrintSteps(const char* menuName, const std::string& launcher)
{
    const LauncherMenu menu =
        std::string(menuName) == "options" ? LauncherMenu::Options : LauncherMenu::Autorun;
    const StepTimes t = TimeLauncherSteps(menu, launcher);
    std::printf("%.4f %.4f %.4f %.4f %.4f %.4f\n", t.driveScan, t.record, t.decode, t.directDraw,
                t.rescale, t.firstPaint);
    return 0;
}

// Runs this program with --steps and reads the line it prints.
std::optional<StepTimes> StepsInFreshProcess(LauncherMenu menu, const std::string& launcher)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueKernelHandle readEnd;
    UniqueKernelHandle writeEnd;
    if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0))
        return std::nullopt;
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    const StartedProcess started = StartProgram(
        ProgramPath(), std::string("--steps ") + MenuName(menu) + " \"" + launcher + "\"",
        writeEnd.get());
    if (!started.process)
        return std::nullopt;
    writeEnd.reset(); // the child's copy is the only writer: reading ends when it exits
    std::string output;
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    ::WaitForSingleObject(started.process.get(), INFINITE);
    StepTimes t;
    if (std::sscanf(output.c_str(), "%lf %lf %lf %lf %lf %lf", &t.driveScan, &t.record, &t.decode,
                    &t.directDraw, &t.rescale, &t.firstPaint) != 6)
        return std::nullopt;
    return t;
}

// --- Timing ---

struct TimedProgram {
    const char* name;
    MenuWatch watch;
    std::function<void()> prepare; // the registry as this menu needs it
    std::vector<double> shown;
    std::vector<double> painted;
    bool usable = true;
};

struct StepSeries {
    LauncherMenu menu;
    std::function<void()> prepare;
    std::vector<StepTimes> runs;
};

double MedianOf(const std::vector<StepTimes>& runs, double StepTimes::*step)
{
    std::vector<double> values;
    values.reserve(runs.size());
    for (const StepTimes& run : runs)
        values.push_back(run.*step);
    return Median(values);
}

// One row a program: its name, then its two medians or "no menu"; tools/bench-ratios.py reads
// the table up to the blank line after it.
void PrintStartTable(const std::vector<TimedProgram>& programs, int starts)
{
    std::printf("Start to menu under Wine, median of %d starts (ms from process creation)\n",
                starts);
    std::printf("%-16s %12s %16s\n", "", "menu shown", "picture painted");
    for (const TimedProgram& p : programs) {
        if (p.usable)
            std::printf("%-16s %12.1f %16.1f\n", p.name, Median(p.shown), Median(p.painted));
        else
            std::printf("%-16s %12s\n", p.name, "no menu");
    }
}

void PrintStepTable(const std::vector<StepSeries>& series, int starts)
{
    struct Row {
        const char* name;
        double StepTimes::*step;
    };
    static constexpr Row kRows[] = {
        {"drive scan", &StepTimes::driveScan},   {"install record", &StepTimes::record},
        {"decode pictures", &StepTimes::decode}, {"DirectDraw enum.", &StepTimes::directDraw},
        {"rescale", &StepTimes::rescale},        {"first paint", &StepTimes::firstPaint},
    };
    std::printf("\nThe launcher's own steps, in process (median ms of %d fresh runs)\n", starts);
    std::printf("%-18s %10s %10s\n", "", MenuName(series[0].menu), MenuName(series[1].menu));
    double sums[2] = {};
    for (const Row& row : kRows) {
        std::printf("%-18s", row.name);
        for (int s = 0; s < 2; ++s) {
            const double median = MedianOf(series[s].runs, row.step);
            sums[s] += median;
            std::printf(" %10.2f", median);
        }
        std::printf("\n");
    }
    std::printf("%-18s %10.2f %10.2f\n", "sum of medians", sums[0], sums[1]);
}

bool WaitForFile(const std::string& path)
{
    // A drive link made just before Wine started can take a moment to be seen.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(100);
    }
    return false;
}

int TimeStarts(int starts, const std::string& launcher)
{
    if (!WaitForFile(launcher)) {
        std::fprintf(stderr, "no launcher at %s\n", launcher.c_str());
        return 1;
    }
    const std::string sourceDrive = launcher.substr(0, 2);
    std::vector<TimedProgram> programs;
    programs.push_back({"autorun menu",
                        MenuWatch(launcher, {IDC_AUTORUN_SETUP, &AutorunPicturePoint}),
                        WithoutInstallRecord,
                        {},
                        {}});
    programs.push_back({"options menu",
                        MenuWatch(launcher, {IDC_RUN, &OptionsPicturePoint}),
                        [&] { WithInstallRecord(sourceDrive); },
                        {},
                        {}});
    programs.push_back({"two windows",
                        MenuWatch(FolderOf(ProgramPath()) + "\\minimal_two_windows.exe",
                                  {IDC_EXIT, &MinimalPicturePoint}),
                        WithoutInstallRecord,
                        {},
                        {}});
    programs.push_back({"minimal dialog",
                        MenuWatch(FolderOf(ProgramPath()) + "\\minimal_dialog.exe",
                                  {IDC_EXIT, &MinimalPicturePoint}),
                        WithoutInstallRecord,
                        {},
                        {}});
    for (TimedProgram& p : programs) {
        p.prepare();
        p.usable = p.watch.Calibrate();
    }
    if (!programs.back().usable) {
        std::fprintf(stderr, "the minimal dialog did not show\n");
        return 1;
    }

    std::vector<StepSeries> series{{LauncherMenu::Autorun, programs[0].prepare, {}},
                                   {LauncherMenu::Options, programs[1].prepare, {}}};
    // Round after round, every program in turn, so that a busy machine slows all of them alike.
    for (int round = 0; round < starts; ++round) {
        for (TimedProgram& p : programs) {
            if (!p.usable)
                continue;
            p.prepare();
            MenuTimes times{};
            if (p.watch.TimeOneStart(times)) {
                p.shown.push_back(times.shownMs);
                p.painted.push_back(times.paintedMs);
            }
        }
        for (StepSeries& s : series) {
            s.prepare();
            if (const auto steps = StepsInFreshProcess(s.menu, launcher))
                s.runs.push_back(*steps);
        }
    }
    DeleteInstallRecord();

    PrintStartTable(programs, starts);
    PrintStepTable(series, starts);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::string(argv[1]) == "--steps")
            return PrintSteps(argv[2], argv[3]);
        const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
        return TimeStarts(starts, argc > 2 ? argv[2] : kDefaultLauncher);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "startup_timing: %s\n", failure.what());
        return 1;
    }
}
