// The files the launcher reads, starts or opens on its CD, by their paths under the root that the
// drive scan found (FindSourceDrive). The options menu builds its paths on the drive the
// installer recorded instead (InstallRecord.h), and opens the same documents there.
#pragma once

#include <string>

// Bare file names that the shell is asked to open in a folder.
inline constexpr const char* kHelpDocument = "zarnhelp.rtf";
inline constexpr const char* kDeveloperWebShortcut = "quillmoor web site.url";
inline constexpr const char* kGamesWebShortcut = "Zarn Games web site.url";

// The picture the main window stretches over the whole screen.
std::string IntroPicturePath(const std::string& sourceRoot);

// The autorun menu's picture, its installer's command line and its help document's folder.
std::string AutorunPicturePath(const std::string& sourceRoot);
std::string AutorunSetupCommand(const std::string& sourceRoot);
std::string AutorunHelpDirectory(const std::string& sourceRoot);
