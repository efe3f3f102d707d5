// Opening a file, taking its size and reading it with ReadFile.
#include "base/Win32Handles.h"
#include "picture/FileContents.h"

#include <windows.h>

FileContents::FileContents(const char* path)
{
    const UniqueFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr));
    // Only a file on a disk is read: a pipe or a device could keep the launcher waiting. The
    // whole 64-bit size is taken so that a file past 4 GiB is refused, not cut to its low part.
    LARGE_INTEGER size{};
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size))
        return;
    Read(static_cast<uint64_t>(size.QuadPart), [&file](std::span<uint8_t> into) -> size_t {
        DWORD got = 0;
        // A page that cannot be read fails the call (ERROR_IO_DEVICE, ERROR_NETNAME_DELETED...).
        if (!::ReadFile(file.get(), into.data(), static_cast<DWORD>(into.size()), &got, nullptr))
            return 0;
        return got;
    });
}
