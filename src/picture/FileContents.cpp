// Reading a file of known size chunk by chunk; the platform files open it, take its size and
// read one chunk.
#include "picture/FileContents.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>
#include <utility>

namespace {

// Large enough that a picture of several MB takes few calls, small enough for any network
// redirector to take in one request.
constexpr size_t kChunkBytes = size_t{1} << 20;

} // namespace

FileContents::FileContents(uint64_t size, const ChunkReader& readChunk)
{
    Read(size, readChunk);
}

FileContents::FileContents(FileContents&& other) noexcept
    : m_Bytes(std::move(other.m_Bytes)), m_Size(std::exchange(other.m_Size, 0))
{
}

FileContents& FileContents::operator=(FileContents&& other) noexcept
{
    m_Bytes = std::move(other.m_Bytes);
    m_Size = std::exchange(other.m_Size, 0);
    return *this;
}

void FileContents::Read(uint64_t size, const ChunkReader& readChunk)
{
    // A size past what a byte range can span here is refused before anything is allocated; one
    // below it that the process still cannot hold is refused when the allocation fails.
    if (size == 0 || size > uint64_t{std::numeric_limits<ptrdiff_t>::max()})
        return;
    m_Bytes.reset(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
    if (!m_Bytes)
        return;
    while (m_Size < size) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, size - m_Size));
        const size_t got = readChunk({m_Bytes.get() + m_Size, wanted});
        if (got == 0)
            break; // a read error or an early end: the file ends here
        m_Size += got;
    }
}
