#include "install/InstallRecord.h"

std::string RegistryText(std::string_view valueBytes)
{
    const std::string_view text = valueBytes.substr(0, valueBytes.find('\0'));
    return std::string(text.substr(0, kRegistryTextBuffer - 1));
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
