// Asking whether a file is there, in the one way the launcher asks it: can it be read.
#pragma once

#include <functional>
#include <string>

// Whether the file at a path can be opened for reading.
using FileProbe = std::function<bool(const std::string& path)>;

// The probe of the real system: the file opens for reading and is closed at once.
bool OpensForReading(const std::string& path);
