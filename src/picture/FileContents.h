// A whole file read into memory as one contiguous read-only byte range. The file is read rather
// than mapped because a page of a mapping that cannot be read (a scratched disc, a network drive
// that went away, a file cut while it is read) faults wherever the decoder touches it, while a
// read that fails simply returns. A read that fails, or a file that ends before the size it had
// when it was opened, keeps the bytes read before: the contents of a file that ended there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class FileContents {
public:
    // Reads into the front of `into` and returns how many bytes it put there: at least one, or 0
    // at the end of the file or on a read error.
    using ChunkReader = std::function<size_t(std::span<uint8_t> into)>;

    FileContents() = default;
    // The file at `path`, read and released. Empty when the file is missing, cannot be opened, is
    // not a regular file, is empty, is larger than this process can hold, or its first read fails.
    explicit FileContents(const char* path);
    // A file of `size` bytes read front to back through `readChunk`, which is never asked for
    // bytes past `size`. Empty when `size` is 0 or larger than this process can hold.
    FileContents(uint64_t size, const ChunkReader& readChunk);

    FileContents(FileContents&& other) noexcept;
    FileContents& operator=(FileContents&& other) noexcept;
    FileContents(const FileContents&) = delete;
    FileContents& operator=(const FileContents&) = delete;
    ~FileContents() = default;

    explicit operator bool() const { return m_Size != 0; }
    std::span<const uint8_t> Bytes() const { return {m_Bytes.get(), m_Size}; }

private:
    void Read(uint64_t size, const ChunkReader& readChunk);

    // Allocated for the whole stated size without being zeroed (a picture can be several MB);
    // only the first m_Size bytes were read.
    std::unique_ptr<uint8_t[]> m_Bytes;
    size_t m_Size = 0;
};
