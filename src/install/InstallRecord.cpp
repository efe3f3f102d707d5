#include "install/InstallRecord.h"

#include "base/PathSeparators.h"

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

std::string GameProgram(const InstallRecord& record)
{
    if (record.TargetDirTooLong)
        return {};
    return record.TargetDir + "\\zarn.exe";
}

std::string RunCommand(const InstallRecord& record)
{
    if (record.TargetDirTooLong)
        return {};
    // The program path stays unquoted: the game reads its arguments from this exact line.
    return GameProgram(record) + " " + record.SrcDrive;
}

std::string UninstallProgram(const InstallRecord& record)
{
    // Fixed on drive C:, not looked up.
    return record.TargetDirTooLong ? std::string() : "C:\\windows\\isuninst.exe";
}

std::string UninstallCommand(const InstallRecord& record)
{
    if (record.TargetDirTooLong)
        return {};
    return UninstallProgram(record) + " -f\"" + record.TargetDir + "\\uninst.isu\"";
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
