// Which program a command line starts. The system is always told the program's path apart from
// the command line: left to itself it cuts an unquoted line at each space in turn and runs the
// first file it finds, searching folders the user does not control.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct ProgramCommand {
    std::string program;    // the program's path, without quotes
    std::string parameters; // the rest of the command line, without the spaces before it
};

// The program is a quoted first token, or else the text up to and including the first ".exe"
// (any letter case) that ends a word. Nothing when the line names no program that way.
std::optional<ProgramCommand> SplitCommandLine(std::string_view commandLine);

// A drive letter, a colon and a backslash, or a network path: a program path that names one
// file wherever the launcher happens to run.
bool IsFullPath(std::string_view path);

// The program that LaunchProgram starts for `commandLine` through a command buffer of `capacity`
// characters: nothing when the line does not fit the buffer (FitsBuffer), names no program
// (SplitCommandLine) or names it by no full path (IsFullPath).
std::optional<ProgramCommand> ProgramToStart(std::string_view commandLine, std::size_t capacity);
