// The install record and the chosen video card in the registry (Win32 only).
#pragma once

#include "install/InstallRecord.h"

#include <windows.h>

#include <optional>
#include <string>

inline constexpr const char* kGeneralKeyPath =
    "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL";
inline constexpr const char* kFullGameKeyPath =
    "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL\\FULLGAME";

// The game's installer is a 32-bit program, so its record lives in the registry's 32-bit view:
// the shipped 32-bit build reads that view by itself, a 64-bit build has to ask for it.
inline constexpr REGSAM kInstallRecordView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0;

bool IsGameInstalled();
std::optional<InstallRecord> ReadInstallRecord();
std::string ReadVideoCard();
void WriteVideoCard(const std::string& description);

// The registry call that stores the video card, replaceable so that tests can see exactly what
// the launcher hands to the system (the stored value alone cannot show it: the system may add a
// terminating zero of its own).
using RegistrySetValueCall = decltype(&::RegSetValueExA);
RegistrySetValueCall SetRegistrySetValueCall(RegistrySetValueCall call);
