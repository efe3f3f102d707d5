// A program the launcher starts: the path it knows the program by, and the command line the
// program is given. The system is always told the path apart from the line: left to itself it
// cuts an unquoted line at each space in turn and runs the first file it finds, searching folders
// the user does not control. Nor does the launcher cut the line itself: a folder may hold ".exe "
// or '/' separators.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct ProgramCommand {
    std::string program;     // the program's path, without quotes
    std::string commandLine; // that path, unquoted, then the program's parameters
};

// A program started with nothing but its path.
ProgramCommand ProgramAlone(const std::string& program);

// The command line after the program's path, without the blanks before it: what the shell is
// handed as parameters when it starts the program elevated.
std::string_view Parameters(const ProgramCommand& command);

// A drive letter, a colon and a separator, or a network path: a program path that names one file
// wherever the launcher happens to run.
bool IsFullPath(std::string_view path);

// Whether LaunchProgram starts `command` through a command buffer of `capacity` characters: its
// line fits the buffer (FitsBuffer) and begins with the program, named by its full path.
bool CanStart(const ProgramCommand& command, std::size_t capacity);
