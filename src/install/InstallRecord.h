// The record the game's installer leaves in the registry, and the command lines the launcher
// derives from it: plain text operations. InstallRegistry.h reads and writes it; the paths on the
// disc it names are in DiscLayout.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Every value is read through a zero-filled buffer of this many bytes, so a text holds at most
// one byte less.
inline constexpr std::size_t kRegistryTextBuffer = 200;

struct InstallRecord {
    std::string TargetDir; // "TARGETDIR": where the game was installed
    std::string SrcDrive;  // "SRCDRIVE": the drive it was installed from
    // "TARGETDIR" is there but too long to read whole: TargetDir is then empty, and no command
    // line is built on it, since it would name a program and a log file outside the game's folder.
    bool TargetDirTooLong = false;
};

// The text a value's bytes hold: up to the first zero byte and at most 199 characters.
std::string RegistryText(std::string_view valueBytes);

// The game and its uninstaller, by their paths and by the command lines they are started with
// (which begin with those paths); all empty when TARGETDIR is too long to read.
std::string GameProgram(const InstallRecord& record);
std::string RunCommand(const InstallRecord& record);
std::string UninstallProgram(const InstallRecord& record);
std::string UninstallCommand(const InstallRecord& record);
