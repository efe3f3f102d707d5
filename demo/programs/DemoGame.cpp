// The demo's installed game: says how it was started and which video card it was told to use.
#include "base/Win32Handles.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/)
{
    // The game is a 32-bit program: its record is in the registry's 32-bit view, whichever build
    // this is.
    char card[200] = {};
    DWORD size = sizeof card - 1;
    UniqueRegistryKey general;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL", 0,
                        KEY_QUERY_VALUE | KEY_WOW64_32KEY, general.put()) == ERROR_SUCCESS)
        ::RegGetValueA(general.get(), nullptr, "VIDEOCARD", RRF_RT_REG_SZ, nullptr, card, &size);
    const std::string text = std::string("The game would start now.\n\nCommand line: ") +
                             ::GetCommandLineA() +
                             "\nVideo card: " + (*card ? card : "(none chosen)");
    ::MessageBoxA(nullptr, text.c_str(), "Zarn Vellor Season 1999-2000",
                  MB_OK | MB_ICONINFORMATION);
    return 0;
}
