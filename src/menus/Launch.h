// Starting a program or opening a document for the menus. Neither reports a failure, and nothing
// waits for what was started.
#pragma once

#include "menus/ProgramCommand.h"

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <string>

// What CreateProcess fails with for a program that needs administrator rights; the mingw-w64
// headers lack it.
#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740L
#endif

// Starts the command's program with its command line, which passes through a zero-filled buffer
// of `capacity` characters, and closes both handles at once. A command that CanStart refuses
// starts nothing. A program that needs elevation is started through the shell, which asks the
// user.
void LaunchProgram(const ProgramCommand& command, std::size_t capacity);

// Opens `file`, a bare file name found in `directory`, with the shell's "open" verb. A folder of
// `capacity` characters or more is not opened.
void ShellOpen(HWND owner, const char* file, const std::string& directory, std::size_t capacity,
               int showCommand);

// The system calls, replaceable so tests can see what would be started without starting it.
struct LaunchCalls {
    decltype(&::CreateProcessA) createProcess;
    decltype(&::ShellExecuteA) shellExecute;
    decltype(&::ShellExecuteExA) shellExecuteEx;
};
LaunchCalls SetLaunchCalls(const LaunchCalls& calls);
