// The entries of a disc's autorun.inf that say what the system starts when the disc is inserted
// and which icon it shows for the drive.
#pragma once

#include <optional>
#include <span>
#include <string>

struct AutorunEntries {
    std::optional<std::string> open; // the command line, relative to the disc's root
    std::optional<std::string> icon; // the icon's file, with any ",index" after it
};

// The first open= and icon= entries of the [autorun] section, the way Windows reads an .inf file:
// section and key names in any letter case, blanks around them ignored, lines starting with ';'
// ignored.
AutorunEntries ReadAutorunEntries(std::span<const uint8_t> bytes);

// The program an open= command line starts: the quoted text, or the first word.
std::string OpenProgram(const std::string& commandLine);
// The file an icon= entry names, without the index of the icon in it.
std::string IconFile(const std::string& entry);
