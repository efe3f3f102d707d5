// The machine around the launcher, as a scenario sets it up: CD folders mapped to drive letters
// (links in the Wine prefix's dosdevices folder), the installer's registry record, and files.
// Everything a scenario changes is undone by Reset.
#pragma once

#include "CdPictures.h"
#include "InstallRecordSeed.h"

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running test program, as a Windows path.
std::string ProgramFolder();

// Z: is Wine's mapping of the Unix root, so a Windows path on Z: has a Unix twin.
std::string UnixPath(const std::string& windowsPath);

// Runs a Unix shell command from inside Wine. Its exit code cannot be waited for, so callers
// poll for its effect.
void RunUnixShell(const std::string& command);

// A folder laid out like the game CD: the marker, the pictures (IntroPictureOnCd and
// MenuPictureOnCd), the setup program (a stand-in) and the help document.
std::string MakeCdFolder(const std::string& name);
// The same layout in a folder of the caller's choosing, such as a copy of the disc on C:.
void LayOutCd(const std::string& root);
TestPicture IntroPictureOnCd();
TestPicture MenuPictureOnCd();

// The stand-in programs record how they were started in this file (one line each, see
// tests/fixtures/standin); the scenarios point them at it through the environment.
std::string StandinLogPath();
std::vector<std::string> StandinLog();
// A text file's lines without their line ends; none when it cannot be read.
std::vector<std::string> ReadLines(const std::string& path);
// Copies the stand-in program to `windowsPath` (folders included).
void PlaceStandin(const std::string& windowsPath);
// Makes the stand-in the program that opens .rtf documents and .url shortcuts, so that no real
// editor or browser is ever started.
void RegisterDocumentOpener();

void MapDrive(char letter, const std::string& windowsFolder);
void UnmapDrive(char letter);
bool DriveIsMapped(char letter);

void DeleteTree(const std::string& windowsPath);
