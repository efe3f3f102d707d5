#include "base/FileProbe.h"

#include <cstdio>

bool OpensForReading(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}
