#include "install/SourceChoice.h"

std::string SourceHolding(const std::string& srcDrive,
                          const std::optional<std::string>& launcherDisc, const PathOnDisc& fileOn,
                          const FileProbe& canOpen)
{
    // A record without SRCDRIVE names no drive that another could stand in for.
    if (srcDrive.empty() || !launcherDisc || canOpen(fileOn(srcDrive)))
        return srcDrive;
    return canOpen(fileOn(*launcherDisc)) ? *launcherDisc : srcDrive;
}
