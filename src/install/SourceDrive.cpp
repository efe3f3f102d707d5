#include "install/SourceDrive.h"

#include "base/PathSeparators.h"
#include "base/Report.h"
#include "install/DiscLayout.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

bool IsLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsCdFolderName(std::string_view name)
{
    constexpr std::string_view kCdFolder = "zarn2000";
    return std::ranges::equal(name, kCdFolder, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

bool IsDriveRoot(std::string_view root)
{
    return root.size() == 2 && IsLetter(root[0]) && root[1] == ':';
}

// A root that the CD's tails extend to a full path, whatever the working directory: a drive
// ("E:"), a folder on one ("C:\ZarnCopy") or on a network share ("\\server\share").
bool IsFullRoot(std::string_view root, const LeadBytes& leadBytes)
{
    if (EndsWithSeparator(root, leadBytes))
        return false;
    if (root.starts_with("\\\\"))
        return root.size() > 2;
    return IsDriveRoot(root.substr(0, 2)) && (root.size() == 2 || root[2] == '\\');
}

// Probes C: to Z: in order and stops at the first letter whose marker opens.
std::optional<char> FindMarkerDrive(const FileProbe& canOpen)
{
    // A: and B: are floppy drives: never probed.
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (canOpen(MarkerPath(std::string(1, letter) + ":")))
            return letter;
    return std::nullopt;
}

} // namespace

std::optional<std::string> LauncherSourceRoot(std::string_view launcherPath,
                                              const FileProbe& canOpen, const LeadBytes& leadBytes)
{
    const auto fileStart = LastSeparator(launcherPath, leadBytes);
    if (fileStart == std::string_view::npos || fileStart + 1 == launcherPath.size())
        return std::nullopt;
    const std::string_view folder = launcherPath.substr(0, fileStart);
    const auto folderStart = LastSeparator(folder, leadBytes);
    if (folderStart == std::string_view::npos || !IsCdFolderName(folder.substr(folderStart + 1)))
        return std::nullopt;
    std::string root(folder.substr(0, folderStart));
    if (!IsFullRoot(root, leadBytes))
        return std::nullopt;
    if (IsDriveRoot(root))
        root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    // For a launcher named lumbrel.exe the marker is the running file itself: only the disc's
    // content beside it makes the folder a disc, not a lone copy of the launcher.
    if (!canOpen(MarkerPath(root)) || !canOpen(IntroPicturePath(root)))
        return std::nullopt;
    return root;
}

std::string FindSourceDrive(const char* notFoundMessage, std::string_view launcherPath,
                            const FileProbe& canOpen, const LeadBytes& leadBytes)
{
    // The disc the launcher runs from comes first: a marker planted on an earlier drive must not
    // decide which setup program this disc's menu starts.
    if (auto root = LauncherSourceRoot(launcherPath, canOpen, leadBytes))
        return *std::move(root);
    if (const auto letter = FindMarkerDrive(canOpen))
        return std::string(1, *letter) + ":";
    AfxMessageBox(notFoundMessage);
    return kDriveNotFound;
}
