// Files that a Win32 test writes in the temporary folder, named after the test program and its
// process so that tests running at once keep apart.
#pragma once

#include "base/Win32Handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The temporary folder, with its final backslash.
inline std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return folder;
}

// A path in the temporary folder: prefix, process number, name.
inline std::string TempPath(const std::string& prefix, const std::string& name)
{
    return TempFolder() + prefix + "-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
}

inline void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ASSERT_EQ(written, bytes.size());
}
