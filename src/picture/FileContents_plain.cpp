// Opening a file, taking its size and reading it for the native build: with POSIX calls, or
// through stdio where the C runtime is Windows' (the cross-built unit tests).
#include "picture/FileContents.h"

#ifndef _WIN32

#include "base/UniqueHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

FileContents::FileContents(const char* path)
{
    // Non-blocking, so that a FIFO given as a picture is refused instead of waiting for a writer.
    const UniqueFd fd(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!fd || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
        return;
    Read(static_cast<uint64_t>(status.st_size), [&fd](std::span<uint8_t> into) -> size_t {
        ssize_t got = 0;
        do
            got = ::read(fd.get(), into.data(), into.size());
        while (got < 0 && errno == EINTR);
        return got > 0 ? static_cast<size_t>(got) : 0; // EIO and the like end the file here
    });
}

#else

#include <cstdio>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

FileContents::FileContents(const char* path)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    // ftell's long cannot tell a size past 2 GiB here: such a file is refused like one too large
    // to hold.
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return;
    const long size = std::ftell(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return;
    Read(static_cast<uint64_t>(size), [&file](std::span<uint8_t> into) {
        return std::fread(into.data(), 1, into.size(), file.get());
    });
}

#endif
