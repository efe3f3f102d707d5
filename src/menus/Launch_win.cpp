#include "base/Win32Handles.h"
#include "menus/CommandBuffer.h"
#include "menus/Launch.h"

#include <objbase.h>

#include <utility>

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit startup record is 68 bytes");
#endif

namespace {

LaunchCalls g_Calls{&::CreateProcessA, &::ShellExecuteA, &::ShellExecuteExA};

// The shell may hand a verb to a COM handler, so it wants COM on the calling thread.
class ComApartment {
public:
    ComApartment()
        : m_Initialised(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (m_Initialised)
            ::CoUninitialize();
    }

private:
    bool m_Initialised;
};

std::string CurrentDirectory()
{
    std::string directory(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
        if (length == 0)
            return {};
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
        }
        directory.resize(length); // the size asked for, its terminator included
    }
}

// A program that the system marks as needing administrator rights (an installer by its name, or
// by its manifest) cannot be created by a process without them. The shell's "runas" verb asks the
// user for consent and starts it; a declined prompt is as silent as any other failed start.
void StartElevated(const ProgramCommand& command)
{
    const ComApartment com;
    // CreateProcessA would have given the program the launcher's own working directory.
    const std::string directory = CurrentDirectory();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The launcher exits right after this call, so the shell must finish here; failures stay
    // silent, as they are for programs started directly.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    // The consent prompt comes to the front only for a window of the foreground process.
    info.hwnd = ::GetActiveWindow();
    info.lpVerb = "runas";
    info.lpFile = command.program.c_str();
    const std::string parameters(Parameters(command));
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    g_Calls.shellExecuteEx(&info);
}

} // namespace

LaunchCalls SetLaunchCalls(const LaunchCalls& calls)
{
    return std::exchange(g_Calls, calls);
}

void LaunchProgram(const ProgramCommand& command, std::size_t capacity)
{
    if (!CanStart(command, capacity))
        return;
    // CreateProcessA may write into its command line, so it gets a buffer of its own.
    auto buffer = ZeroFilledBuffer(command.commandLine, capacity);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!g_Calls.createProcess(command.program.c_str(), buffer->data(), nullptr, nullptr, FALSE,
                               NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        if (::GetLastError() == ERROR_ELEVATION_REQUIRED)
            StartElevated(command);
        return;
    }
    // Nothing waits for the program: both handles go at once, the thread's first (the owners
    // are released in the reverse order of their declaration).
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
}

void ShellOpen(HWND owner, const char* file, const std::string& directory, std::size_t capacity,
               int showCommand)
{
    const auto buffer = ZeroFilledBuffer(directory, capacity);
    if (!buffer)
        return;
    const ComApartment com;
    g_Calls.shellExecute(owner, "open", file, nullptr, buffer->data(), showCommand);
}
