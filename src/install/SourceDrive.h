// Finding the game CD: the disc the launcher runs from, or else the first drive letter, C: to Z:,
// whose marker file opens for reading.
#pragma once

#include "base/FileProbe.h"
#include "base/LeadBytes.h"

#include <optional>
#include <string>
#include <string_view>

// What a drive letter yields when no drive carries the marker.
inline constexpr const char* kDriveNotFound = "Not Found";

// The disc the launcher runs from: when `launcherPath` lies in a folder named zarn2000 (any
// letter case) whose parent holds the marker, that parent: "E:" when run from a disc (a drive
// root always as an upper-case letter and colon, like the scan's), "C:\ZarnCopy" when run from a
// copy of the disc. Nothing for any other path. The path is in the code page of `leadBytes`.
std::optional<std::string> LauncherSourceRoot(std::string_view launcherPath,
                                              const FileProbe& canOpen,
                                              const LeadBytes& leadBytes = SystemLeadBytes());

// The source drive: the disc the launcher runs from, else the first drive that carries the
// marker, else "Not Found" after showing `notFoundMessage` in a box. Each call looks anew.
// Without a path, the running program's own file is the launcher.
std::string FindSourceDrive(const char* notFoundMessage);
std::string FindSourceDrive(const char* notFoundMessage, std::string_view launcherPath,
                            const FileProbe& canOpen,
                            const LeadBytes& leadBytes = SystemLeadBytes());
