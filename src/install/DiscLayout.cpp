#include "install/DiscLayout.h"

#include "base/PathSeparators.h"

#include <algorithm>
#include <cctype>

std::string MarkerPath(std::string_view root)
{
    return std::string(root) + "\\zarn2000\\lumbrel.exe";
}

std::string IntroPicturePath(const std::string& sourceRoot)
{
    return sourceRoot + "\\zarn2000\\Data\\intro.tga";
}

std::string AutorunPicturePath(const std::string& sourceRoot)
{
    return sourceRoot + "\\zarn2000\\data\\setup.tga";
}

std::string AutorunSetupCommand(const std::string& sourceRoot)
{
    return sourceRoot + "\\zarn2000\\setup\\disk1\\setup.exe";
}

std::string AutorunHelpDirectory(const std::string& sourceRoot)
{
    return sourceRoot + "\\ZARN2000\\help";
}

std::string SourceRoot(const std::string& srcDrive)
{
    const bool loneLetter =
        srcDrive.size() == 1 && std::isalpha(static_cast<unsigned char>(srcDrive[0]));
    return loneLetter ? srcDrive + ":" : srcDrive;
}

std::string SourcePath(const std::string& srcDrive, std::string_view tail,
                       const LeadBytes& leadBytes)
{
    return JoinPath(SourceRoot(srcDrive), tail, leadBytes);
}

std::string SetupCommand(const std::string& srcDrive, const LeadBytes& leadBytes)
{
    return SourcePath(srcDrive, "setup\\disk1\\setup.exe", leadBytes);
}

std::string SetupPicturePath(const std::string& srcDrive, const LeadBytes& leadBytes)
{
    return SourcePath(srcDrive, "data\\setup.tga", leadBytes);
}

std::string HelpDirectory(const std::string& srcDrive, const LeadBytes& leadBytes)
{
    return SourcePath(srcDrive, "help", leadBytes);
}

std::string WebShortcutDirectory(const std::string& srcDrive, const LeadBytes& leadBytes)
{
    return SourcePath(srcDrive, "", leadBytes);
}

std::size_t CapacityUnder(std::string_view root, std::size_t driveRootCapacity)
{
    const bool letter = !root.empty() && std::isalpha(static_cast<unsigned char>(root[0]));
    const std::string_view rest = letter ? root.substr(1) : root;
    const bool driveRoot =
        letter && (rest.empty() || rest == ":" ||
                   (rest.size() == 2 && rest[0] == ':' && IsPathSeparator(rest[1])));
    return driveRoot ? driveRootCapacity : std::max(driveRootCapacity, kLongestPathCapacity);
}
