#include "FolderDisc.h"

#include <system_error>

std::filesystem::path FolderDisc::PathOf(const std::vector<std::string>& names) const
{
    std::filesystem::path path = m_Root;
    for (const std::string& name : names)
        path /= name;
    return path;
}

std::optional<std::vector<DiscEntry>> FolderDisc::List(const std::vector<std::string>& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(PathOf(folder), error);
    if (error)
        return std::nullopt;
    std::vector<DiscEntry> listed;
    for (const auto& entry : entries) {
        // A link is burned as what it points at.
        listed.push_back({entry.path().filename().string(), entry.is_directory(error)});
    }
    return listed;
}

FileContents FolderDisc::Read(const std::vector<std::string>& file)
{
    return FileContents(PathOf(file).c_str());
}
