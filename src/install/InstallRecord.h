// The record the game's installer leaves in the registry, and the command lines and CD paths the
// launcher derives from it. The derivations are plain text operations.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kGeneralKeyPath =
    "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL";
inline constexpr const char* kFullGameKeyPath =
    "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL\\FULLGAME";

// Every value is read through a zero-filled buffer of this many bytes, so a text holds at most
// one byte less.
inline constexpr std::size_t kRegistryTextBuffer = 200;

struct InstallRecord {
    std::string TargetDir; // "TARGETDIR": where the game was installed
    std::string SrcDrive;  // "SRCDRIVE": the drive it was installed from
};

// The text a value's bytes hold: up to the first zero byte and at most 199 characters.
std::string RegistryText(std::string_view valueBytes);

std::string RunCommand(const InstallRecord& record);
// The program that RunCommand starts.
std::string RunProgramPath(const InstallRecord& record);
std::string UninstallCommand(const InstallRecord& record);
std::string SetupCommand(const std::string& srcDrive);
std::string SetupPicturePath(const std::string& srcDrive);
std::string HelpDirectory(const std::string& srcDrive);
std::string WebShortcutDirectory(const std::string& srcDrive);

// The registry side (Win32 only).
bool IsGameInstalled();
std::optional<InstallRecord> ReadInstallRecord();
std::string ReadVideoCard();
void WriteVideoCard(const std::string& description);
