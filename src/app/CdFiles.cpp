#include "app/CdFiles.h"

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
