// A whole file as one contiguous read-only byte range, held for the lifetime of the view. On
// Win32 the file is mapped; the plain build maps it where it can and reads it otherwise.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

class FileView {
public:
    // Empty when the file is missing, cannot be opened, is empty, or cannot be mapped.
    explicit FileView(const char* path);
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;
    ~FileView();

    explicit operator bool() const { return !m_bytes.empty(); }
    std::span<const uint8_t> Bytes() const { return m_bytes; }

private:
    struct Resources; // what the platform holds open; released by the destructor

    std::unique_ptr<Resources> m_resources;
    std::span<const uint8_t> m_bytes;
};
