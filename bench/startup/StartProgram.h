// Starting a program the way autorun starts one, for the timing programs: named apart from its
// command line, with its own folder as working directory.
#pragma once

#include "base/Win32Handles.h"

#include <windows.h>

#include <string>

struct StartedProcess {
    UniqueKernelHandle process; // empty when the program could not be started
    DWORD id = 0;
};

// Starts `program`, a full Windows path, with `arguments` after its quoted path on the command
// line. A non-null `output` becomes the program's standard output, its standard error stays this
// program's; without one the program inherits no handles.
StartedProcess StartProgram(const std::string& program, const std::string& arguments = {},
                            HANDLE output = nullptr);
