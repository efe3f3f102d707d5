// The machine around the launcher, as a scenario sets it up: CD folders mapped to drive letters
// (links in the Wine prefix's dosdevices folder), the installer's registry record, and files.
// Everything a scenario changes is undone by Reset.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The folder of the running test program, as a Windows path.
std::string ProgramFolder();

// Z: is Wine's mapping of the Unix root, so a Windows path on Z: has a Unix twin.
std::string UnixPath(const std::string& windowsPath);

// Runs a Unix shell command from inside Wine. Its exit code cannot be waited for, so callers
// poll for its effect.
void RunUnixShell(const std::string& command);

// A folder laid out like the game CD, with the marker file in place.
std::string MakeCdFolder(const std::string& name);

void MapDrive(char letter, const std::string& windowsFolder);
void UnmapDrive(char letter);
bool DriveIsMapped(char letter);

struct InstallRecordValues {
    std::optional<std::string> targetDir;
    std::optional<std::string> srcDrive;
    std::optional<std::string> videoCard;
    bool fullGameKey = true;
};
void SeedInstallRecord(const InstallRecordValues& values);
void DeleteInstallRecord();

void DeleteTree(const std::string& windowsPath);
