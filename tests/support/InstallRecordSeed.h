// The game installer's record as the tests and benchmarks set it up and read it back: the one
// place that spells its keys, so that a launcher reading another key fails them.
#pragma once

#include "base/Win32Handles.h"

#include <windows.h>

#include <optional>
#include <string>

// Where the game's 32-bit installer leaves its record, whichever build runs: the registry's
// 32-bit view.
inline constexpr REGSAM kInstallersView = KEY_WOW64_32KEY;

struct InstallRecordValues {
    std::optional<std::string> targetDir{};
    std::optional<std::string> srcDrive{};
    std::optional<std::string> videoCard{};
    bool fullGameKey = true;
};

// Replaces the record in `view` by one that holds `values`; throws std::runtime_error when the
// key cannot be made.
void SeedInstallRecord(const InstallRecordValues& values, REGSAM view = kInstallersView);
// Deletes the installer's company key and all below it from `view`; nothing there is no error.
void DeleteInstallRecord(REGSAM view = kInstallersView);

// The record's GENERAL key with `access`, or an empty owner when there is none.
UniqueRegistryKey OpenInstallRecord(REGSAM access, REGSAM view = kInstallersView);
// The text of a value in the record; empty when there is none.
std::string StoredInstallText(const char* name);
