// The files the launcher looks for on its disc, in the order a user meets them, each with the path
// the launcher builds for it and whether the launcher would refuse that path. The paths come from
// the launcher's own functions.
#pragma once

#include "install/DiscLayout.h"

#include <optional>
#include <string>
#include <vector>

// The root the drive scan gives for a disc in drive D:; any other letter gives paths of the same
// lengths.
inline constexpr const char* kDiscDrive = "D:";

// Where a picture is shown, at which sizes.
struct PictureShown {
    std::string place;           // "the autorun menu's picture area"
    std::vector<AreaSize> sizes; // the sizes it is scaled to on the usual displays
    std::string previewName;     // the preview's file name without its size; empty: no preview
};

struct LauncherFile {
    std::string purpose;
    std::string launcherPath; // as the launcher builds it
    // The path under the disc's root; nothing when the launcher's path does not lead onto the disc.
    std::optional<std::string> discPath;
    std::string refusal; // why the launcher would not use the path; empty when it would
    std::optional<PictureShown> picture;
};

// From the marker to the options menu's web shortcuts, for an installer that recorded `srcDrive`
// as SRCDRIVE. The options menu builds its paths on it instead of on the drive scan's root.
std::vector<LauncherFile> LauncherFiles(const std::string& srcDrive);

// The path under `root` that `launcherPath` names; nothing when it lies elsewhere.
std::optional<std::string> PathUnderRoot(const std::string& launcherPath, const std::string& root);
