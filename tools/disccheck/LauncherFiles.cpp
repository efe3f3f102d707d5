#include "LauncherFiles.h"

#include "base/PathSeparators.h"
#include "install/DiscLayout.h"
#include "install/InstallRecord.h"
#include "install/SourceDrive.h"
#include "menus/CommandBuffer.h"
#include "menus/ProgramCommand.h"

#include <cstddef>

namespace {

// The screens the intro picture is stretched over.
const std::vector<AreaSize> kUsualScreens = {{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}};

LauncherFile File(std::string purpose, const std::string& path, const std::string& root)
{
    return {std::move(purpose), path, PathUnderRoot(path, root), {}, std::nullopt};
}

LauncherFile Picture(std::string purpose, const std::string& path, const std::string& root,
                     PictureShown shown)
{
    LauncherFile file = File(std::move(purpose), path, root);
    file.picture = std::move(shown);
    return file;
}

// The program LaunchProgram would start with its path alone as the command line, with the reason
// it starts nothing where it does not.
LauncherFile Program(std::string purpose, const std::string& program, std::size_t capacity,
                     const std::string& root)
{
    const ProgramCommand command = ProgramAlone(program);
    LauncherFile file = File(std::move(purpose), program, root);
    if (CanStart(command, capacity))
        return file;
    if (!FitsBuffer(command.commandLine, capacity))
        file.refusal = "the command line has " + std::to_string(command.commandLine.size()) +
                       " characters; the launcher starts none of " + std::to_string(capacity) +
                       " or more";
    else
        file.refusal = "the command line names no program by its full path, so the launcher "
                       "starts nothing";
    return file;
}

// A document the shell is asked to open by its bare name in a folder.
LauncherFile Document(std::string purpose, const std::string& folder, const char* name,
                      const std::string& root)
{
    LauncherFile file = File(std::move(purpose), JoinPath(folder, name, LeadBytes()), root);
    const std::size_t capacity = CapacityUnder(root, kDirectoryCapacity);
    if (!FitsBuffer(folder, capacity))
        file.refusal = "its folder has " + std::to_string(folder.size()) +
                       " characters; the launcher opens nothing in a folder of " +
                       std::to_string(capacity) + " or more";
    return file;
}

PictureShown MenuPicture(const char* menu, AreaSize area, const char* previewName)
{
    return {std::string("the ") + menu + " menu's picture area", {area}, previewName};
}

} // namespace

std::optional<std::string> PathUnderRoot(const std::string& launcherPath, const std::string& root)
{
    // Without a root the launcher's path leads to whatever drive is current, not to the disc.
    if (root.empty() || !launcherPath.starts_with(root) || launcherPath.size() == root.size())
        return std::nullopt;
    // The part under the root begins with the separator, whether the root ends in it ("D:\") or
    // the path goes on with it ("D:").
    const std::size_t start = EndsWithSeparator(root, LeadBytes()) ? root.size() - 1 : root.size();
    if (!IsPathSeparator(launcherPath[start]))
        return std::nullopt;
    return launcherPath.substr(start);
}

std::vector<LauncherFile> LauncherFiles(const std::string& srcDrive)
{
    const std::string disc = kDiscDrive;
    const std::string recorded = SourceRoot(srcDrive);
    return {
        File("the marker by which the launcher finds its disc", MarkerPath(disc), disc),
        Picture("the intro picture", IntroPicturePath(disc), disc,
                {"the screen", kUsualScreens, ""}),
        Picture("the autorun menu's picture", AutorunPicturePath(disc), disc,
                MenuPicture("autorun", kAutorunPictureAreaSize, "autorun-menu")),
        Program("the autorun menu's Setup program", AutorunSetupCommand(disc),
                CapacityUnder(disc, kAutorunCommandCapacity), disc),
        Document("the autorun menu's help document", AutorunHelpDirectory(disc), kHelpDocument,
                 disc),
        Picture("the options menu's picture", SetupPicturePath(srcDrive), recorded,
                MenuPicture("options", kOptionsPictureAreaSize, "options-menu")),
        Program("the options menu's Setup program", SetupCommand(srcDrive),
                CapacityUnder(recorded, kOptionsCommandCapacity), recorded),
        Document("the options menu's help document", HelpDirectory(srcDrive), kHelpDocument,
                 recorded),
        Document("the options menu's developer web shortcut", WebShortcutDirectory(srcDrive),
                 kDeveloperWebShortcut, recorded),
        Document("the options menu's games web shortcut", WebShortcutDirectory(srcDrive),
                 kGamesWebShortcut, recorded),
    };
}
