// Writing a tool's output file whole or not at all.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <system_error>

// Writes `parts`, one after another, as the whole contents of `path`. A new or regular file is
// written to a temporary file beside it and renamed over it once complete, so a failed write
// leaves `path` as it was and no other file behind; a device or a pipe is written in place.
// Returns the system's error when the file cannot be written.
std::error_code WriteWholeFile(const char* path,
                               std::initializer_list<std::span<const uint8_t>> parts);
