// File views for the native build: mapped where POSIX mmap exists, else read into memory.
#include "picture/FileView.h"

#if __has_include(<sys/mman.h>)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileView::Resources {
    void* address = MAP_FAILED;
    size_t size = 0;

    ~Resources()
    {
        if (address != MAP_FAILED)
            ::munmap(address, size);
    }
};

FileView::FileView(const char* path) : m_resources(std::make_unique<Resources>())
{
    // Non-blocking, so that a FIFO given as a picture is refused instead of waiting for a writer.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        m_resources->size = static_cast<size_t>(status.st_size);
        m_resources->address = ::mmap(nullptr, m_resources->size, PROT_READ, MAP_PRIVATE, fd, 0);
    }
    ::close(fd); // the mapping keeps the file's pages without the descriptor
    if (m_resources->address != MAP_FAILED)
        m_bytes = {static_cast<const uint8_t*>(m_resources->address), m_resources->size};
}

#else

#include <cstdio>
#include <vector>

struct FileView::Resources {
    std::vector<uint8_t> bytes;
};

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

FileView::FileView(const char* path) : m_resources(std::make_unique<Resources>())
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return;
    uint8_t chunk[64 * 1024];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        m_resources->bytes.insert(m_resources->bytes.end(), chunk, chunk + got);
    m_bytes = m_resources->bytes;
}

#endif

FileView::~FileView() = default;
