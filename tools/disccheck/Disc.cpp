#include "Disc.h"

#include <algorithm>
#include <cctype>

namespace {

// Letters are compared as upper case, as Windows compares the names on a disc. Only ASCII
// letters are folded: the launcher's own names are ASCII.
bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const size_t end = std::min(path.find('\\'), path.size());
        if (end != 0)
            names.push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return names;
}

// A path on the disc as an author reads it: the folders' names, then `name`, joined by '/'.
std::string Joined(const std::vector<std::string>& folders, const std::string& name)
{
    std::string path;
    for (const std::string& folder : folders)
        path += folder + "/";
    return path + name;
}

} // namespace

std::optional<DiscItem> Find(Disc& disc, std::string_view path)
{
    DiscItem item;
    item.isFolder = true; // the root
    for (const std::string_view wanted : SplitPath(path)) {
        if (!item.isFolder)
            return std::nullopt;
        const auto entries = disc.List(item.names);
        if (!entries)
            return std::nullopt;
        const auto matches = [wanted](const DiscEntry& e) { return SameName(e.name, wanted); };
        const auto entry = std::ranges::find_if(*entries, matches);
        if (entry == entries->end())
            return std::nullopt;
        if (const auto twin = std::find_if(std::next(entry), entries->end(), matches);
            twin != entries->end()) {
            // In name order: a folder and its image list their entries in different orders.
            const auto [first, second] = std::minmax(entry->name, twin->name);
            item.caseTwins = Joined(item.names, first) + " and " + Joined(item.names, second);
            return item;
        }
        item.names.push_back(entry->name);
        item.isFolder = entry->isFolder;
        item.size = entry->size;
        item.unburnable = entry->unburnable;
    }
    return item;
}
