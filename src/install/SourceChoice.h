// Which disc the installed game's menu reads a file from. The installer recorded the drive it ran
// from (SRCDRIVE), but the disc may since have moved: an image mounted at whatever letter is free,
// a new drive, a copy in a folder. The launcher has just found its own disc, so that one stands in
// where the recorded drive lacks the file. The record itself is never changed.
#pragma once

#include "base/FileProbe.h"

#include <functional>
#include <optional>
#include <string>

// A file's path on a disc, given the disc's root.
using PathOnDisc = std::function<std::string(const std::string& root)>;

// `srcDrive` while the file is there, or when the record names no drive or the launcher found no
// disc; else `launcherDisc` when the file is there; else `srcDrive`.
std::string SourceHolding(const std::string& srcDrive,
                          const std::optional<std::string>& launcherDisc, const PathOnDisc& fileOn,
                          const FileProbe& canOpen);
