#include "menus/CommandBuffer.h"
#include "menus/Launch.h"

#include <utility>

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit startup record is 68 bytes");
#endif

namespace {

LaunchCalls g_calls{&::CreateProcessA, &::ShellExecuteA};

} // namespace

LaunchCalls SetLaunchCalls(const LaunchCalls& calls)
{
    return std::exchange(g_calls, calls);
}

void LaunchProgram(const std::string& commandLine, std::size_t capacity,
                   const char* applicationName)
{
    // CreateProcessA may write into its command line, so it gets a buffer of its own.
    auto buffer = ZeroFilledBuffer(commandLine, capacity);
    if (!buffer)
        return;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!g_calls.createProcess(applicationName, buffer->data(), nullptr, nullptr, FALSE,
                               NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process))
        return;
    // Nothing waits for the program: both handles go at once, the thread's first.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

void ShellOpen(HWND owner, const char* file, const std::string& directory, int showCommand)
{
    const auto buffer = ZeroFilledBuffer(directory, kDirectoryCapacity);
    if (!buffer)
        return;
    g_calls.shellExecute(owner, "open", file, nullptr, buffer->data(), showCommand);
}
