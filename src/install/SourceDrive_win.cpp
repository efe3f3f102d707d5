// The launcher's own file, as the system names it, is where the search for the CD starts.
#include "base/ModulePath.h"
#include "install/SourceDrive.h"

std::string FindSourceDrive(const char* notFoundMessage)
{
    return FindSourceDrive(notFoundMessage, ModulePath(), OpensForReading);
}
