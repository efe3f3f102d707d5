#include "install/InstallRecord.h"

#include <cctype>

std::string RegistryText(std::string_view valueBytes)
{
    const std::string_view text = valueBytes.substr(0, valueBytes.find('\0'));
    return std::string(text.substr(0, kRegistryTextBuffer - 1));
}

std::string SourceRoot(const std::string& srcDrive)
{
    const bool loneLetter =
        srcDrive.size() == 1 && std::isalpha(static_cast<unsigned char>(srcDrive[0]));
    return loneLetter ? srcDrive + ":" : srcDrive;
}

std::string RunCommand(const InstallRecord& record)
{
    if (record.TargetDirTooLong)
        return {};
    // The program path stays unquoted: the game reads its arguments from this exact line.
    return record.TargetDir + "\\zarn.exe " + record.SrcDrive;
}

std::string UninstallCommand(const InstallRecord& record)
{
    if (record.TargetDirTooLong)
        return {};
    return "C:\\windows\\isuninst.exe -f\"" + record.TargetDir + "\\uninst.isu\"";
}

std::string SetupCommand(const std::string& srcDrive)
{
    const char* colon = srcDrive.ends_with(':') ? "" : ":";
    return srcDrive + colon + "\\setup\\disk1\\setup.exe";
}

std::string SetupPicturePath(const std::string& srcDrive)
{
    return SourceRoot(srcDrive) + "\\data\\setup.tga";
}

std::string HelpDirectory(const std::string& srcDrive)
{
    return SourceRoot(srcDrive) + "\\help";
}

std::string WebShortcutDirectory(const std::string& srcDrive)
{
    return SourceRoot(srcDrive) + "\\";
}
