#include "FolderDisc.h"

#include "base/UniqueHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

// A link is burned as what it points at (tools/make-disc-image.sh follows links); what is neither
// file nor folder there is in no image.
DiscEntry Listed(const std::filesystem::directory_entry& entry)
{
    namespace fs = std::filesystem;
    DiscEntry listed;
    listed.name = entry.path().filename().string();
    std::error_code error;
    const fs::file_status status = entry.status(error);
    if (error || !fs::exists(status))
        listed.unburnable = "a link that leads to no file";
    else if (fs::is_directory(status))
        listed.isFolder = true;
    else if (fs::is_regular_file(status))
        listed.size = fs::file_size(entry.path(), error);
    else if (fs::is_fifo(status))
        listed.unburnable = "a FIFO";
    else if (fs::is_socket(status))
        listed.unburnable = "a socket";
    else if (fs::is_block_file(status) || fs::is_character_file(status))
        listed.unburnable = "a device";
    else
        listed.unburnable = "neither file nor folder";
    return listed;
}

} // namespace

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
    for (const auto& entry : entries)
        listed.push_back(Listed(entry));
    return listed;
}

std::optional<FileContents> FolderDisc::Read(const std::vector<std::string>& file)
{
    const UniqueFd fd(::open(PathOf(file).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0)
        return std::nullopt;
    bool failed = false;
    FileContents contents(static_cast<uint64_t>(status.st_size), [&](std::span<uint8_t> into) {
        ssize_t got = 0;
        do
            got = ::read(fd.get(), into.data(), into.size());
        while (got < 0 && errno == EINTR);
        failed = got <= 0;
        return failed ? size_t{0} : static_cast<size_t>(got);
    });
    if (failed)
        return std::nullopt;
    return contents;
}
