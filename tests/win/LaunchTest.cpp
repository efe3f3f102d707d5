// What the menus hand to the system to start a program or open a document, seen through the
// replaceable calls so that nothing is really started.
#include "menus/Launch.h"

#include "base/Win32Handles.h"
#include "install/DiscLayout.h"
#include "menus/CommandBuffer.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstring>
#include <fstream>
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
    HANDLE processClosed = nullptr; // the read ends of the handles' witnesses
    HANDLE threadClosed = nullptr;
};
std::vector<SeenStart> g_Starts;
std::size_t g_Capacity = 0;
DWORD g_CreateError = ERROR_SUCCESS; // what a start fails with; none succeeds

std::vector<UniqueKernelHandle> g_WitnessReadEnds;

// A handle whose closing shows: the write end of a new pipe. Once it is closed, the pipe's read
// end reports a broken pipe, however soon the system hands the same handle value out again.
HANDLE NewClosingWitness(HANDLE& readEnd)
{
    HANDLE write = nullptr;
    ::CreatePipe(&readEnd, &write, nullptr, 0);
    g_WitnessReadEnds.emplace_back(readEnd);
    return write;
}

bool WitnessClosed(HANDLE readEnd)
{
    DWORD available = 0;
    return !::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) &&
           ::GetLastError() == ERROR_BROKEN_PIPE;
}

BOOL WINAPI RecordCreateProcess(LPCSTR application, LPSTR commandLine,
                                LPSECURITY_ATTRIBUTES /*processAttributes*/,
                                LPSECURITY_ATTRIBUTES /*threadAttributes*/, BOOL inherit,
                                DWORD flags, LPVOID environment, LPCSTR directory,
                                LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process)
{
    SeenStart seen;
    seen.applicationName = application ? application : "<none>";
    seen.buffer.assign(commandLine, commandLine + g_Capacity);
    seen.startup = *startup;
    seen.inheritHandles = inherit;
    seen.flags = flags;
    seen.environmentOrDirectory = environment != nullptr || directory != nullptr;
    g_Starts.push_back(seen);
    if (g_CreateError != ERROR_SUCCESS) {
        ::SetLastError(g_CreateError);
        return FALSE;
    }
    process->hProcess = NewClosingWitness(g_Starts.back().processClosed);
    process->hThread = NewClosingWitness(g_Starts.back().threadClosed);
    return TRUE;
}

// Whether the calling thread is in a single-threaded COM apartment, as the shell wants it for verbs
// that its extensions handle: asking for one again then answers S_FALSE.
bool InComApartment()
{
    const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result))
        ::CoUninitialize();
    return result == S_FALSE;
}

struct SeenOpen {
    HWND owner;
    std::string verb, file, directory;
    bool parameters;
    int show;
    bool inComApartment;
};
std::vector<SeenOpen> g_Opens;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show)
{
    g_Opens.push_back(
        {owner, verb, file, directory, parameters != nullptr, show, InComApartment()});
    return reinterpret_cast<HINSTANCE>(42);
}

struct SeenElevation {
    std::string verb, file, parameters, directory;
    ULONG mask;
    int show;
};
std::vector<SeenElevation> g_Elevations;

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOA* info)
{
    g_Elevations.push_back(
        {info->lpVerb ? info->lpVerb : "<none>", info->lpFile ? info->lpFile : "<none>",
         info->lpParameters ? info->lpParameters : "<none>",
         info->lpDirectory ? info->lpDirectory : "<none>", info->fMask, info->nShow});
    ::SetLastError(ERROR_CANCELLED); // the user declined
    return FALSE;
}

std::string CurrentDirectory()
{
    char directory[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

class Launching : public testing::Test {
protected:
    void SetUp() override
    {
        g_Starts.clear();
        g_WitnessReadEnds.clear();
        g_Opens.clear();
        g_Elevations.clear();
        g_CreateError = ERROR_SUCCESS;
        m_Previous =
            SetLaunchCalls({RecordCreateProcess, RecordShellExecute, RecordShellExecuteEx});
    }
    void TearDown() override { SetLaunchCalls(m_Previous); }

private:
    LaunchCalls m_Previous{};
};

TEST_F(Launching, StartsTheCommandLineAsGivenAndClosesBothHandlesAtOnce)
{
    g_Capacity = kAutorunCommandCapacity;
    LaunchProgram(ProgramAlone("D:\\zarn2000\\setup\\disk1\\setup.exe"), kAutorunCommandCapacity);
    ASSERT_EQ(g_Starts.size(), 1u);
    const SeenStart& seen = g_Starts[0];
    EXPECT_EQ(seen.applicationName, "D:\\zarn2000\\setup\\disk1\\setup.exe");
    EXPECT_EQ(std::string(seen.buffer.data()), "D:\\zarn2000\\setup\\disk1\\setup.exe");
    EXPECT_EQ(seen.buffer.back(), '\0');
    STARTUPINFOA zeroed{};
    zeroed.cb = sizeof zeroed;
    EXPECT_EQ(std::memcmp(&seen.startup, &zeroed, sizeof zeroed), 0);
    EXPECT_FALSE(seen.inheritHandles);
    EXPECT_EQ(seen.flags, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_FALSE(seen.environmentOrDirectory);
    EXPECT_TRUE(WitnessClosed(seen.processClosed));
    EXPECT_TRUE(WitnessClosed(seen.threadClosed));
}

TEST_F(Launching, NamesTheProgramByItsPathAndStartsNothingWithoutAFullPath)
{
    g_Capacity = kOptionsCommandCapacity;
    // A folder with ".exe " inside: the program is the one the launcher knows, not a cut line.
    LaunchProgram(
        {"C:\\Games\\Zarn.exe Edition\\zarn.exe", "C:\\Games\\Zarn.exe Edition\\zarn.exe D:"},
        kOptionsCommandCapacity);
    ASSERT_EQ(g_Starts.size(), 1u);
    EXPECT_EQ(g_Starts[0].applicationName, "C:\\Games\\Zarn.exe Edition\\zarn.exe");
    EXPECT_EQ(std::string(g_Starts[0].buffer.data()), "C:\\Games\\Zarn.exe Edition\\zarn.exe D:");

    for (const char* program : {"Not Found\\zarn2000\\setup\\disk1\\setup.exe", "\\zarn.exe",
                                "D::\\setup\\disk1\\setup.exe", ""})
        LaunchProgram(ProgramAlone(program), kOptionsCommandCapacity);
    EXPECT_EQ(g_Starts.size(), 1u);
}

// Only a program that needs elevation is handed to the shell, once, to ask the user; every other
// outcome of the start is final and silent.
TEST_F(Launching, OnlyAProgramThatNeedsElevationIsStartedAgainThroughTheShell)
{
    g_Capacity = kOptionsCommandCapacity;
    const struct {
        DWORD error;
        size_t elevations;
    } outcomes[] = {{ERROR_SUCCESS, 0},
                    {ERROR_FILE_NOT_FOUND, 0},
                    {ERROR_ACCESS_DENIED, 0},
                    {ERROR_BAD_EXE_FORMAT, 0},
                    {ERROR_ELEVATION_REQUIRED, 1}};
    for (const auto& outcome : outcomes) {
        g_Starts.clear();
        g_Elevations.clear();
        g_CreateError = outcome.error;
        LaunchProgram({"C:\\windows\\isuninst.exe",
                       "C:\\windows\\isuninst.exe -f\"C:\\Program Files\\Zarn\\uninst.isu\""},
                      kOptionsCommandCapacity);
        EXPECT_EQ(g_Starts.size(), 1u) << outcome.error;
        ASSERT_EQ(g_Elevations.size(), outcome.elevations) << outcome.error;
    }
    const SeenElevation& seen = g_Elevations[0];
    EXPECT_EQ(seen.verb, "runas");
    EXPECT_EQ(seen.file, "C:\\windows\\isuninst.exe");
    EXPECT_EQ(seen.parameters, "-f\"C:\\Program Files\\Zarn\\uninst.isu\"");
    EXPECT_EQ(seen.directory, CurrentDirectory());
    EXPECT_EQ(seen.show, SW_SHOWNORMAL);
    // The launcher exits right after: the shell must be done when the call returns, and quiet.
    EXPECT_EQ(seen.mask & (SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI),
              static_cast<ULONG>(SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI));

    g_Elevations.clear();
    g_Capacity = kAutorunCommandCapacity;
    LaunchProgram(ProgramAlone("D:\\zarn2000\\setup\\disk1\\setup.exe"), kAutorunCommandCapacity);
    ASSERT_EQ(g_Elevations.size(), 1u);
    EXPECT_EQ(g_Elevations[0].file, "D:\\zarn2000\\setup\\disk1\\setup.exe");
    EXPECT_EQ(g_Elevations[0].parameters, "<none>");
}

TEST_F(Launching, CommandLinesOfCapacityOrMoreAreNotStarted)
{
    // A program's full path of the given length.
    const auto line = [](std::size_t length) {
        return "C:\\" + std::string(length - 7, 'x') + ".exe";
    };
    for (const std::size_t capacity : {kAutorunCommandCapacity, kOptionsCommandCapacity}) {
        g_Starts.clear();
        g_Capacity = capacity;
        LaunchProgram(ProgramAlone(line(capacity - 1)), capacity);
        ASSERT_EQ(g_Starts.size(), 1u);
        EXPECT_EQ(std::string(g_Starts[0].buffer.data()), line(capacity - 1));
        LaunchProgram(ProgramAlone(line(capacity)), capacity);
        LaunchProgram(ProgramAlone(line(capacity + 1)), capacity);
        EXPECT_EQ(g_Starts.size(), 1u);
    }
}

TEST_F(Launching, OpensByBareNameInTheFolderAndRefusesFoldersOfItsCapacityOrMore)
{
    auto* const owner = reinterpret_cast<HWND>(0x1234);
    ShellOpen(owner, "zarnhelp.rtf", "D:\\ZARN2000\\help", kDirectoryCapacity, SW_SHOW);
    ShellOpen(owner, "quillmoor web site.url", std::string(199, 'd'), kDirectoryCapacity, SW_HIDE);
    ShellOpen(owner, "zarnhelp.rtf", std::string(200, 'd'), kDirectoryCapacity, SW_SHOW);
    ASSERT_EQ(g_Opens.size(), 2u);
    EXPECT_EQ(g_Opens[0].owner, owner);
    EXPECT_EQ(g_Opens[0].verb, "open");
    EXPECT_EQ(g_Opens[0].file, "zarnhelp.rtf");
    EXPECT_EQ(g_Opens[0].directory, "D:\\ZARN2000\\help");
    EXPECT_FALSE(g_Opens[0].parameters);
    EXPECT_EQ(g_Opens[0].show, SW_SHOW);
    EXPECT_EQ(g_Opens[1].directory, std::string(199, 'd'));
    EXPECT_EQ(g_Opens[1].show, SW_HIDE);
}

TEST_F(Launching, OpensWithCOMReadyForTheShellAndReleasedAfterwards)
{
    ShellOpen(nullptr, "zarnhelp.rtf", "D:\\ZARN2000\\help", kDirectoryCapacity, SW_SHOW);
    ASSERT_EQ(g_Opens.size(), 1u);
    EXPECT_TRUE(g_Opens[0].inComApartment);
    EXPECT_FALSE(InComApartment());
}

// The elevation path with the real shell: Wine never refuses a start for want of elevation, so
// the refusal is simulated and the shell really starts the stand-in program.
BOOL WINAPI RefuseForElevation(LPCSTR /*application*/, LPSTR /*commandLine*/,
                               LPSECURITY_ATTRIBUTES /*processAttributes*/,
                               LPSECURITY_ATTRIBUTES /*threadAttributes*/, BOOL /*inherit*/,
                               DWORD /*flags*/, LPVOID /*environment*/, LPCSTR /*directory*/,
                               LPSTARTUPINFOA /*startup*/, LPPROCESS_INFORMATION /*process*/)
{
    ::SetLastError(ERROR_ELEVATION_REQUIRED);
    return FALSE;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own = path;
    return own.substr(0, own.find_last_of('\\'));
}

// The stand-in's one line: its name, command line, working directory and show state.
std::string WaitForLine(const std::string& path)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::ifstream file(path, std::ios::binary);
        std::string line;
        // A line without its end is one the stand-in is still writing.
        if (std::getline(file, line) && !file.eof())
            return line.substr(0, line.find('\r'));
        ::Sleep(50);
    }
    return {};
}

TEST(ElevatedStart, TheShellStartsTheProgramWithItsParametersInTheLaunchersFolder)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "lumbrel elevated start";
    const std::string program = folder + "\\setup.exe";
    const std::string log = folder + "\\standin.log";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::DeleteFileA(log.c_str());
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\standin.exe").c_str(), program.c_str(), FALSE));
    ::SetEnvironmentVariableA("LUMBREL_STANDIN_LOG", log.c_str());
    const std::string previousDirectory = CurrentDirectory();
    ::SetCurrentDirectoryA(folder.c_str());
    const LaunchCalls previous =
        SetLaunchCalls({RefuseForElevation, &::ShellExecuteA, &::ShellExecuteExA});

    LaunchProgram({program, program + " -f\"C:\\Program Files\\Zarn\\uninst.isu\""},
                  kOptionsCommandCapacity);

    SetLaunchCalls(previous);
    ::SetCurrentDirectoryA(previousDirectory.c_str());
    const std::string line = WaitForLine(log);
    ::SetEnvironmentVariableA("LUMBREL_STANDIN_LOG", nullptr);
    ASSERT_FALSE(line.empty()) << "the stand-in did not start";
    const size_t name = line.find('|');
    const size_t directory = line.rfind('|', line.rfind('|') - 1);
    EXPECT_EQ(line.substr(0, name), "setup.exe");
    // The shell quotes the program's path itself; the parameters follow it unchanged.
    const std::string commandLine = line.substr(name + 1, directory - name - 1);
    EXPECT_NE(commandLine.find("setup.exe"), std::string::npos) << commandLine;
    EXPECT_TRUE(commandLine.ends_with(" -f\"C:\\Program Files\\Zarn\\uninst.isu\"")) << commandLine;
    EXPECT_EQ(line.substr(directory + 1, line.rfind('|') - directory - 1), folder);
    ::DeleteFileA(program.c_str());
    ::DeleteFileA(log.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace
