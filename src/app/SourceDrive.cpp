#include "app/SourceDrive.h"

#include "framework/Report.h"

#include <cstdio>

namespace {

bool OpensForReading(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

std::string MarkerPath(char driveLetter)
{
    return std::string(1, driveLetter) + ":\\zarn2000\\lumbrel.exe";
}

std::optional<char> FindMarkerDrive(const FileProbe& canOpen)
{
    // A: and B: are floppy drives: never probed.
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (canOpen(MarkerPath(letter)))
            return letter;
    return std::nullopt;
}

std::string FindSourceDrive(const char* notFoundMessage)
{
    return FindSourceDrive(notFoundMessage, OpensForReading);
}

std::string FindSourceDrive(const char* notFoundMessage, const FileProbe& canOpen)
{
    if (const auto letter = FindMarkerDrive(canOpen))
        return std::string(1, *letter) + ":";
    AfxMessageBox(notFoundMessage);
    return kDriveNotFound;
}
