// Finding the game CD: the first drive letter, C: to Z:, whose marker file opens for reading.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The texts shown when no drive carries the marker; the two callers differ in letter case only.
inline constexpr const char* kMainWindowNoCdMessage =
    "Can't locate the CD drive, please insert the ZARN VELLOR Season 1999-2000 CD and allow it "
    "to autorun";
inline constexpr const char* kAutorunMenuNoCdMessage =
    "Can't locate the CD drive, please insert the Zarn Vellor Season 1999-2000 CD and allow it to "
    "autorun";

// What a drive letter yields when no drive carries the marker.
inline constexpr const char* kDriveNotFound = "Not Found";

// Whether the file at a path can be opened for reading.
using FileProbe = std::function<bool(const std::string& path)>;

// The marker's path on a drive, for example "D:\zarn2000\lumbrel.exe".
std::string MarkerPath(char driveLetter);

// Probes C: to Z: in order and stops at the first letter whose marker opens.
std::optional<char> FindMarkerDrive(const FileProbe& canOpen);

// The source drive, such as "D:", or "Not Found" after showing `notFoundMessage` in a box.
// Each call scans anew.
std::string FindSourceDrive(const char* notFoundMessage);
std::string FindSourceDrive(const char* notFoundMessage, const FileProbe& canOpen);
