// File views as read-only mappings of the whole file.
#include "framework/UniqueHandle.h"
#include "picture/FileView.h"

#include <windows.h>

// Members are destroyed in reverse order: the view is unmapped, then the mapping and then the
// file are closed.
struct FileView::Resources {
    UniqueFile file;
    UniqueKernelHandle mapping;
    UniqueMappedView view;
};

FileView::FileView(const char* path) : m_resources(std::make_unique<Resources>())
{
    Resources& held = *m_resources;
    held.file.reset(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!held.file)
        return;
    // The high part is not asked for: a file past 4 GiB cannot be mapped into this process anyway.
    const DWORD size = ::GetFileSize(held.file.get(), nullptr);
    // An empty file cannot be mapped: CreateFileMappingA fails for it.
    held.mapping.reset(
        ::CreateFileMappingA(held.file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!held.mapping)
        return;
    held.view.reset(::MapViewOfFile(held.mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!held.view || size == INVALID_FILE_SIZE)
        return;
    m_bytes = {static_cast<const uint8_t*>(held.view.get()), size};
}

FileView::~FileView() = default;
