// Output files written whole: a temporary file beside the output, renamed over it once complete.
#include "common/OutputFile.h"

#include "base/UniqueHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace {

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

// Closes now rather than when the owner goes: a write that the system defers can still fail here.
std::error_code Close(UniqueFd& fd)
{
    return ::close(fd.release()) == 0 ? std::error_code() : LastError();
}

// A file made beside the output, removed again unless it has been renamed over the output.
class TemporaryFile {
public:
    explicit TemporaryFile(const char* outputPath)
        : m_Path(std::string(outputPath) + ".tmp-XXXXXX"),
          m_Fd(::mkostemp(m_Path.data(), O_CLOEXEC)), m_Exists(m_Fd.get() >= 0)
    {
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (m_Exists)
            ::unlink(m_Path.c_str());
    }

    bool Created() const { return m_Exists; }
    UniqueFd& File() { return m_Fd; }
    std::error_code RenameTo(const char* path)
    {
        if (::rename(m_Path.c_str(), path) != 0)
            return LastError();
        m_Exists = false;
        return {};
    }

private:
    std::string m_Path;
    UniqueFd m_Fd;
    bool m_Exists; // under m_path
};

std::error_code WriteParts(int fd, std::initializer_list<std::span<const uint8_t>> parts)
{
    for (std::span<const uint8_t> part : parts) {
        while (!part.empty()) {
            const ssize_t written = ::write(fd, part.data(), part.size());
            if (written < 0 && errno != EINTR)
                return LastError();
            if (written > 0)
                part = part.subspan(static_cast<size_t>(written));
        }
    }
    return {};
}

// What a file created by open() would have: an existing file's own permissions, or the usual
// ones less the umask. mkstemp makes its file readable by the owner alone.
mode_t OutputMode(const struct stat* existing)
{
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::error_code WriteInPlace(const char* path,
                             std::initializer_list<std::span<const uint8_t>> parts)
{
    UniqueFd file(::open(path, O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (file.get() < 0)
        return LastError();
    if (const std::error_code error = WriteParts(file.get(), parts))
        return error;
    return Close(file);
}

std::error_code WriteAndReplace(const char* path, const struct stat* existing,
                                std::initializer_list<std::span<const uint8_t>> parts)
{
    TemporaryFile temporary(path);
    if (!temporary.Created())
        return LastError();
    UniqueFd& file = temporary.File();
    if (::fchmod(file.get(), OutputMode(existing)) != 0)
        return LastError();
    if (const std::error_code error = WriteParts(file.get(), parts))
        return error;
    // On the disk before the rename, so the output is never seen half written after a crash.
    if (::fsync(file.get()) != 0)
        return LastError();
    if (const std::error_code error = Close(file))
        return error;
    return temporary.RenameTo(path);
}

} // namespace

std::error_code WriteWholeFile(const char* path,
                               std::initializer_list<std::span<const uint8_t>> parts,
                               SpecialOutput special)
{
    struct stat status {};
    const bool exists = ::stat(path, &status) == 0;
    // A folder is not written in place: the rename over it fails and says so.
    if (exists && special == SpecialOutput::WrittenInPlace && !S_ISREG(status.st_mode) &&
        !S_ISDIR(status.st_mode))
        return WriteInPlace(path, parts);
    return WriteAndReplace(path, exists && S_ISREG(status.st_mode) ? &status : nullptr, parts);
}
