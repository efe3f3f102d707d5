// The file a loaded module came from, read whatever the length of its path.
#pragma once

#include <windows.h>

#include <string>

// The full path of `module` (by default the running program); empty when the system cannot tell.
std::string ModulePath(HMODULE module = nullptr);
