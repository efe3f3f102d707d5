// The path of a loaded module in the ANSI code page, checked against what the wide call reports.
#include "base/ModulePath.h"

#include "TestHandles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring WideModulePath(HMODULE module)
{
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::string Narrow(const std::wstring& wide)
{
    std::string narrow(wide.size() * 2, '\0');
    narrow.resize(::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                        narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                        nullptr));
    return narrow;
}

// Removes the folders it made, innermost first, and the file in the innermost.
class ScratchFolders {
public:
    ScratchFolders() = default;
    ScratchFolders(const ScratchFolders&) = delete;
    ScratchFolders& operator=(const ScratchFolders&) = delete;
    ~ScratchFolders()
    {
        if (!m_File.empty())
            ::DeleteFileW(m_File.c_str());
        for (; !m_Folders.empty(); m_Folders.pop_back())
            ::RemoveDirectoryW(m_Folders.back().c_str());
    }

    // Makes a folder in the temporary folder and `depth` more, each in the last, each named with
    // 60 characters.
    std::wstring MakeNested(int depth)
    {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        std::wstring folder = std::wstring(L"\\\\?\\") + temp + L"module-path-test";
        for (int level = 0; level <= depth; ++level) {
            if (level > 0)
                folder += L"\\" + std::wstring(59, L'a' + static_cast<wchar_t>(level)) + L"x";
            if (!::CreateDirectoryW(folder.c_str(), nullptr) &&
                ::GetLastError() != ERROR_ALREADY_EXISTS)
                return {};
            m_Folders.push_back(folder);
        }
        return folder;
    }
    void Holds(const std::wstring& file) { m_File = file; }

private:
    std::vector<std::wstring> m_Folders;
    std::wstring m_File;
};

TEST(ModulePath, IsTheRunningProgramsPathAsTheWideCallGivesIt)
{
    const std::string path = ModulePath();
    EXPECT_EQ(path, Narrow(WideModulePath(nullptr)));
    EXPECT_TRUE(path.ends_with("\\win_tests.exe")) << path;
}

// A path longer than MAX_PATH does not fit the first buffer: it comes whole, not cut.
TEST(ModulePath, ReadsAPathLongerThanMaxPathWhole)
{
    const std::wstring beside = WideModulePath(nullptr);
    const std::wstring probe = beside.substr(0, beside.rfind(L'\\')) + L"\\module_path_probe.dll";

    ScratchFolders scratch;
    const std::wstring folder = scratch.MakeNested(8);
    ASSERT_FALSE(folder.empty()) << "cannot make the nested folders";
    const std::wstring copy = folder + L"\\module_path_probe.dll";
    ASSERT_TRUE(::CopyFileW(probe.c_str(), copy.c_str(), FALSE));
    scratch.Holds(copy);

    const UniqueLibrary module(::LoadLibraryW(copy.c_str()));
    ASSERT_TRUE(module) << "error " << ::GetLastError();
    const std::string path = ModulePath(module.get());
    const std::wstring wide = WideModulePath(module.get());

    EXPECT_GT(path.size(), 2u * MAX_PATH);
    EXPECT_EQ(path, Narrow(wide));
    EXPECT_TRUE(path.ends_with("\\module_path_probe.dll")) << path;
}

TEST(ModulePath, IsEmptyForAModuleThatIsNotLoaded)
{
    // The address of a local variable is no module's base.
    int notAModule = 0;
    EXPECT_EQ(ModulePath(reinterpret_cast<HMODULE>(&notAModule)), "");
}

} // namespace
