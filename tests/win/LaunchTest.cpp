// What the menus hand to the system to start a program or open a document, seen through the
// replaceable calls so that nothing is really started.
#include "menus/Launch.h"

#include "menus/CommandBuffer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SeenStart {
    std::string applicationName;
    std::vector<char> buffer;
    STARTUPINFOA startup{};
    BOOL inheritHandles = TRUE;
    DWORD flags = 0;
    bool environmentOrDirectory = true;
    HANDLE process = nullptr;
    HANDLE thread = nullptr;
};
std::vector<SeenStart> g_starts;
std::size_t g_capacity = 0;
BOOL g_createSucceeds = TRUE;

HANDLE DuplicateOwnHandle()
{
    HANDLE copy = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &copy, 0,
                      FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

BOOL WINAPI RecordCreateProcess(LPCSTR application, LPSTR commandLine,
                                LPSECURITY_ATTRIBUTES /*processAttributes*/,
                                LPSECURITY_ATTRIBUTES /*threadAttributes*/, BOOL inherit,
                                DWORD flags, LPVOID environment, LPCSTR directory,
                                LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process)
{
    SeenStart seen;
    seen.applicationName = application ? application : "<none>";
    seen.buffer.assign(commandLine, commandLine + g_capacity);
    seen.startup = *startup;
    seen.inheritHandles = inherit;
    seen.flags = flags;
    seen.environmentOrDirectory = environment != nullptr || directory != nullptr;
    if (g_createSucceeds) {
        process->hProcess = seen.process = DuplicateOwnHandle();
        process->hThread = seen.thread = DuplicateOwnHandle();
    }
    g_starts.push_back(seen);
    return g_createSucceeds;
}

struct SeenOpen {
    HWND owner;
    std::string verb, file, directory;
    bool parameters;
    int show;
};
std::vector<SeenOpen> g_opens;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show)
{
    g_opens.push_back({owner, verb, file, directory, parameters != nullptr, show});
    return reinterpret_cast<HINSTANCE>(42);
}

bool HandleIsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

class Launching : public testing::Test {
protected:
    void SetUp() override
    {
        g_starts.clear();
        g_opens.clear();
        g_createSucceeds = TRUE;
        m_previous = SetLaunchCalls({RecordCreateProcess, RecordShellExecute});
    }
    void TearDown() override { SetLaunchCalls(m_previous); }

private:
    LaunchCalls m_previous{};
};

TEST_F(Launching, StartsTheCommandLineAsGivenAndClosesBothHandlesAtOnce)
{
    g_capacity = kAutorunCommandCapacity;
    LaunchProgram("D:\\zarn2000\\setup\\disk1\\setup.exe", kAutorunCommandCapacity);
    ASSERT_EQ(g_starts.size(), 1u);
    const SeenStart& seen = g_starts[0];
    EXPECT_EQ(seen.applicationName, "<none>");
    EXPECT_EQ(std::string(seen.buffer.data()), "D:\\zarn2000\\setup\\disk1\\setup.exe");
    EXPECT_EQ(seen.buffer.back(), '\0');
    STARTUPINFOA zeroed{};
    zeroed.cb = sizeof zeroed;
    EXPECT_EQ(std::memcmp(&seen.startup, &zeroed, sizeof zeroed), 0);
    EXPECT_FALSE(seen.inheritHandles);
    EXPECT_EQ(seen.flags, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_FALSE(seen.environmentOrDirectory);
    EXPECT_FALSE(HandleIsOpen(seen.process));
    EXPECT_FALSE(HandleIsOpen(seen.thread));
}

TEST_F(Launching, AFailedStartIsSilent)
{
    g_createSucceeds = FALSE;
    g_capacity = kOptionsCommandCapacity;
    LaunchProgram("", kOptionsCommandCapacity, "C:\\Games\\Zarn\\zarn.exe");
    ASSERT_EQ(g_starts.size(), 1u);
    EXPECT_EQ(g_starts[0].applicationName, "C:\\Games\\Zarn\\zarn.exe");
}

TEST_F(Launching, CommandLinesOfCapacityOrMoreAreNotStarted)
{
    for (const std::size_t capacity : {kAutorunCommandCapacity, kOptionsCommandCapacity}) {
        g_starts.clear();
        g_capacity = capacity;
        LaunchProgram(std::string(capacity - 1, 'x'), capacity);
        ASSERT_EQ(g_starts.size(), 1u);
        EXPECT_EQ(std::string(g_starts[0].buffer.data()), std::string(capacity - 1, 'x'));
        LaunchProgram(std::string(capacity, 'x'), capacity);
        LaunchProgram(std::string(capacity + 1, 'x'), capacity);
        EXPECT_EQ(g_starts.size(), 1u);
    }
}

TEST_F(Launching, OpensByBareNameInTheFolderAndRefusesFoldersOf200OrMore)
{
    auto* const owner = reinterpret_cast<HWND>(0x1234);
    ShellOpen(owner, "zarnhelp.rtf", "D:\\ZARN2000\\help", SW_SHOW);
    ShellOpen(owner, "quillmoor web site.url", std::string(199, 'd'), SW_HIDE);
    ShellOpen(owner, "zarnhelp.rtf", std::string(200, 'd'), SW_SHOW);
    ASSERT_EQ(g_opens.size(), 2u);
    EXPECT_EQ(g_opens[0].owner, owner);
    EXPECT_EQ(g_opens[0].verb, "open");
    EXPECT_EQ(g_opens[0].file, "zarnhelp.rtf");
    EXPECT_EQ(g_opens[0].directory, "D:\\ZARN2000\\help");
    EXPECT_FALSE(g_opens[0].parameters);
    EXPECT_EQ(g_opens[0].show, SW_SHOW);
    EXPECT_EQ(g_opens[1].directory, std::string(199, 'd'));
    EXPECT_EQ(g_opens[1].show, SW_HIDE);
}

} // namespace
