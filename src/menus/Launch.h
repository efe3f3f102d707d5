// Starting a program or opening a document for the menus. Neither reports a failure, and nothing
// waits for what was started.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <string>

// Starts `commandLine` through a zero-filled buffer of `capacity` characters, closing both handles
// at once. A command line of `capacity` characters or more is not started. With no application
// name the system takes the program from the start of the command line.
void LaunchProgram(const std::string& commandLine, std::size_t capacity,
                   const char* applicationName = nullptr);

// Opens `file`, a bare file name found in `directory`, with the shell's "open" verb. A folder of
// 200 characters or more is not opened.
void ShellOpen(HWND owner, const char* file, const std::string& directory, int showCommand);

// The two system calls, replaceable so tests can see what would be started without starting it.
struct LaunchCalls {
    decltype(&::CreateProcessA) createProcess;
    decltype(&::ShellExecuteA) shellExecute;
};
LaunchCalls SetLaunchCalls(const LaunchCalls& calls);
