// DDRAW.dll from the system folder, loaded at its first use rather than at start-up, so that a
// machine without it still runs the launcher. Once loaded it stays loaded until the program ends.
#pragma once

#include <windows.h>

#include <ddraw.h>

using DirectDrawEnumerateExAFunction = HRESULT(WINAPI*)(LPDDENUMCALLBACKEXA, LPVOID, DWORD);
using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);

// The entry points, each looked up at its own first call (the first one loads the library); null
// when the library or the entry point is missing.
DirectDrawEnumerateExAFunction DirectDrawEnumerateExAEntry();
DirectDrawCreateFunction DirectDrawCreateEntry();
