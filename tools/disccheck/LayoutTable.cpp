#include "LayoutTable.h"

#include "LauncherFiles.h"

#include <string_view>

namespace {

std::string Row(std::string_view discPath, const std::string& purpose)
{
    // Paths under the root begin with its separator, which the table leaves out.
    return "| `" + std::string(discPath.substr(1)) + "` | " + purpose + " |\n";
}

// A menu's picture is shown in one area; the intro picture over whole screens of any size.
std::string AreaOf(const LauncherFile& file)
{
    if (!file.picture || file.picture->sizes.size() != 1)
        return "";
    const AreaSize area = file.picture->sizes.front();
    return " (area " + std::to_string(area.width) + " x " + std::to_string(area.height) + ")";
}

} // namespace

std::string LayoutTable()
{
    std::string table = "| path | what it is for |\n|---|---|\n";
    table += Row("\\autorun.inf", "starts `" + MarkerPath("").substr(1) +
                                      "` when the disc is inserted (`open=` and `icon=`)");
    for (const LauncherFile& file : LauncherFiles(kDiscDrive))
        table += Row(file.discPath.value_or("?"), file.purpose + AreaOf(file));
    return table;
}
