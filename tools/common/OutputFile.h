// Writing a tool's output file whole or not at all.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <system_error>

// What becomes of a `path` that names a device or a pipe, or a link to one.
enum class SpecialOutput {
    WrittenInPlace, // an output the user named, such as /dev/stdout
    Replaced,       // a file the tool names itself, never written through whatever is there
};

// Writes `parts`, one after another, as the whole contents of `path`. The file is written to a
// temporary file beside it and renamed over it once complete, so a failed write leaves `path` as
// it was and no other file behind. A link is replaced, never written through (the file it points
// at stays as it was), except that a device or a pipe is written in place where `special` says
// so. Returns the system's error when the file cannot be written.
std::error_code WriteWholeFile(const char* path,
                               std::initializer_list<std::span<const uint8_t>> parts,
                               SpecialOutput special);
