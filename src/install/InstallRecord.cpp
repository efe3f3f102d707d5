#include "install/InstallRecord.h"

std::string RegistryText(std::string_view valueBytes)
{
    const std::string_view text = valueBytes.substr(0, valueBytes.find('\0'));
    return std::string(text.substr(0, kRegistryTextBuffer - 1));
}

std::string RunCommand(const InstallRecord& record)
{
    // The program path stays unquoted: the game reads its arguments from this exact line.
    return record.TargetDir + "\\zarn.exe " + record.SrcDrive;
}

std::string RunProgramPath(const InstallRecord& record)
{
    return record.TargetDir + "\\zarn.exe";
}

std::string UninstallCommand(const InstallRecord& record)
{
    return "C:\\windows\\isuninst.exe -f\"" + record.TargetDir + "\\uninst.isu\"";
}

std::string SetupCommand(const std::string& srcDrive)
{
    return srcDrive + ":\\setup\\disk1\\setup.exe";
}

std::string SetupPicturePath(const std::string& srcDrive)
{
    return srcDrive + "\\data\\setup.tga";
}

std::string HelpDirectory(const std::string& srcDrive)
{
    return srcDrive + "\\help";
}

std::string WebShortcutDirectory(const std::string& srcDrive)
{
    return srcDrive + "\\";
}
