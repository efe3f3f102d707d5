// The record the game's installer leaves in the registry, and the command lines and CD paths the
// launcher derives from it: plain text operations. InstallRegistry.h reads and writes it.
#pragma once

#include "base/LeadBytes.h"

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

// The root that the paths below extend: SRCDRIVE, with a colon after a lone letter.
std::string SourceRoot(const std::string& srcDrive);
// `tail` under that root. SRCDRIVE may be recorded as "D", "D:", "D:\", a folder or a network
// share: a colon follows a lone letter only, and a backslash separates root and tail only where
// the root does not end in a separator. SRCDRIVE is in the code page of `leadBytes`.
std::string SourcePath(const std::string& srcDrive, std::string_view tail,
                       const LeadBytes& leadBytes = SystemLeadBytes());

// The installer, the picture, the help document's folder and the web shortcuts' folder.
std::string SetupCommand(const std::string& srcDrive,
                         const LeadBytes& leadBytes = SystemLeadBytes());
std::string SetupPicturePath(const std::string& srcDrive,
                             const LeadBytes& leadBytes = SystemLeadBytes());
std::string HelpDirectory(const std::string& srcDrive,
                          const LeadBytes& leadBytes = SystemLeadBytes());
std::string WebShortcutDirectory(const std::string& srcDrive,
                                 const LeadBytes& leadBytes = SystemLeadBytes());
