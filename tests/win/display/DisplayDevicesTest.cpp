// Device enumeration over the stand-in DDRAW.dll in the system folder (loaded instead of Wine's own
// with WINEDLLOVERRIDES=ddraw=n,b): scripted devices and failures, and the stand-in's log of every
// call the launcher made.
#include "DebugOutputCapture.h"
#include "UserTexts.h"
#include "display/DeviceEnumeration.h"
#include "display/DeviceTable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr GUID kAddOnGuid = {
    0x12345678, 0x1234, 0x5678, {0x9a, 0xbc, 0xde, 0xf0, 0x12, 0x34, 0x56, 0x78}};

std::string TempFile(const char* kind)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "lumbrel-ddraw-" + std::to_string(::GetCurrentProcessId()) + kind;
}

template <class T> bool IsAllZero(const T& value)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    return std::all_of(bytes, bytes + sizeof value, [](unsigned char b) { return b == 0; });
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Every object the stand-in created has gone again, nothing was released once too often, and the
// launcher called nothing it has no use for.
void ExpectAllReleasedAndNothingElseCalled(const std::vector<std::string>& log)
{
    for (const std::string& line : log) {
        EXPECT_EQ(line.find("too many"), std::string::npos) << line;
        EXPECT_FALSE(StartsWith(line, "unsupported") || StartsWith(line, "script error")) << line;
        int device = -1;
        if (std::sscanf(line.c_str(), "create %d", &device) == 1 &&
            line.find("failed") == std::string::npos) {
            EXPECT_NE(std::find(log.begin(), log.end(), "destroy " + std::to_string(device)),
                      log.end())
                << "device " << device << " was not released";
        }
    }
}

// The log without the reference counting and the callbacks' results: what the launcher asked for.
std::vector<std::string> Calls(const std::vector<std::string>& log)
{
    std::vector<std::string> calls;
    std::copy_if(log.begin(), log.end(), std::back_inserter(calls), [](const std::string& line) {
        return !StartsWith(line, "addref ") && !StartsWith(line, "release ") &&
               !StartsWith(line, "destroy ") && !StartsWith(line, "callback ");
    });
    return calls;
}

class DisplayDevices : public testing::Test {
protected:
    void SetUp() override
    {
        ResetDeviceTable();
        ::DeleteFileA(m_LogPath.c_str());
        // Read by the stand-in at each call, so setting them now is in time.
        ::SetEnvironmentVariableA("LUMBREL_DDRAW_SCRIPT", m_ScriptPath.c_str());
        ::SetEnvironmentVariableA("LUMBREL_DDRAW_LOG", m_LogPath.c_str());
    }
    void TearDown() override
    {
        ::DeleteFileA(m_ScriptPath.c_str());
        ::DeleteFileA(m_LogPath.c_str());
    }

    void Enumerate(const std::vector<std::string>& script)
    {
        {
            std::ofstream out(m_ScriptPath, std::ios::trunc);
            for (const std::string& line : script)
                out << line << '\n';
        }
        EnumerateDevices();
    }

    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_LogPath);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    DebugOutputCapture m_DebugOutput;

private:
    std::string m_ScriptPath = TempFile(".script");
    std::string m_LogPath = TempFile(".log");
};

std::string Folder(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of('\\'));
}

std::string SystemFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    return length < MAX_PATH ? std::string(folder, length) : std::string();
}

TEST_F(DisplayDevices, DirectDrawIsLoadedFromTheSystemFolderAtTheFirstEnumerationAndStaysLoaded)
{
    if (::GetModuleHandleA("ddraw.dll"))
        GTEST_SKIP() << "an earlier test of this process has loaded DirectDraw";
    // This program lies beside the stand-in's build output, and Wine prefers a ddraw.dll that is
    // not its own: loaded by name, DirectDraw would come from this program's folder.
    const std::string ownFolder = Folder(nullptr);
    ASSERT_NE(::GetFileAttributesA((ownFolder + "\\ddraw.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no ddraw.dll beside this program";
    Enumerate({"device none 0x80000 Stand-in VGA"});
    ASSERT_EQ(VCardCount, 1) << "not the stand-in";
    const HMODULE ddraw = ::GetModuleHandleA("ddraw.dll");
    ASSERT_NE(ddraw, nullptr);
    EXPECT_STRCASEEQ(Folder(ddraw).c_str(), SystemFolder().c_str());
}

TEST_F(DisplayDevices, RecordsEachDeviceAsItsDriverIdentifiesIt)
{
    // A primary display driver that can do everything and a 3D-only add-on that can do all but
    // render to a window.
    Enumerate({"device none 0xffffffff Primary VGA|Primary host",
               "device {12345678-1234-5678-9abc-def012345678} 0xfff7ffff 3D Add-on|Add-on host"});

    ASSERT_EQ(VCardCount, 2);
    EXPECT_TRUE(g_DDrawOK);
    EXPECT_STREQ(g_DDrawError, "");
    const DeviceRecord& primary = g_DeviceInfo[0];
    EXPECT_STREQ(primary.s_DeviceInfo.szDescription, "Primary VGA");
    EXPECT_STREQ(primary.s_HostInfo.szDescription, "Primary host");
    EXPECT_TRUE(IsAllZero(primary.DeviceGuid));
    EXPECT_EQ(primary.bFullscreenOnly, 0u);
    const DeviceRecord& addOn = g_DeviceInfo[1];
    EXPECT_STREQ(addOn.s_DeviceInfo.szDescription, "3D Add-on");
    EXPECT_STREQ(addOn.s_HostInfo.szDescription, "Add-on host");
    EXPECT_TRUE(IsEqualGUID(addOn.DeviceGuid, kAddOnGuid));
    EXPECT_EQ(addOn.bFullscreenOnly, 1u);
    EXPECT_TRUE(m_DebugOutput.Texts().empty());

    // All devices, no context; zero-filled DirectDraw 7 capability records; the device's own
    // identification, then the host's; each device opened by the GUID it was reported with.
    const std::vector<std::string> log = Log();
    const std::vector<std::string> expected = {
        "enumerate flags=7 context=null",
        "create 0",
        "query 0 dd7",
        "getcaps 0 driver=380,zeroed hel=380,zeroed",
        "identifier 0 flags=0",
        "identifier 0 flags=1",
        "create 1",
        "query 1 dd7",
        "getcaps 1 driver=380,zeroed hel=380,zeroed",
        "identifier 1 flags=0",
        "identifier 1 flags=1",
    };
    EXPECT_EQ(Calls(log), expected);
    ExpectAllReleasedAndNothingElseCalled(log);
}

struct EnumerationCase {
    const char* name;
    std::vector<std::string> script;
    std::vector<std::string> recorded; // descriptions of the entries, in table order
    std::vector<std::string> debugOutput;
    int opened;               // devices DirectDrawCreate was asked for
    std::string lastCallback; // where the enumeration ended
    friend void PrintTo(const EnumerationCase& c, std::ostream* os) { *os << c.name; }
};

class Enumerations : public DisplayDevices, public testing::WithParamInterface<EnumerationCase> {};

TEST_P(Enumerations, RecordWhatCouldBeRecordedAndStopAtTheFirstFailure)
{
    const EnumerationCase& c = GetParam();
    Enumerate(c.script);

    ASSERT_EQ(VCardCount, static_cast<int>(c.recorded.size()));
    for (int i = 0; i < VCardCount; ++i) {
        const DeviceRecord& entry = g_DeviceInfo[i];
        EXPECT_STREQ(entry.s_DeviceInfo.szDescription, c.recorded[i].c_str()) << "entry " << i;
        if (c.recorded[i].empty()) { // a failed identification leaves both untouched
            EXPECT_TRUE(IsAllZero(entry.s_DeviceInfo) && IsAllZero(entry.s_HostInfo));
        }
    }
    for (int i = VCardCount; i < kMaxDevices; ++i)
        EXPECT_TRUE(IsAllZero(g_DeviceInfo[i])) << "entry " << i << " is not in use";
    EXPECT_EQ(g_DDrawOK, !c.recorded.empty());
    EXPECT_STREQ(g_DDrawError, c.recorded.empty() ? kNoDevice : "");
    EXPECT_EQ(m_DebugOutput.Texts(), c.debugOutput);

    const std::vector<std::string> log = Log();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return StartsWith(line, "create "); }),
              c.opened);
    const auto last = std::find_if(log.rbegin(), log.rend(), [](const std::string& line) {
        return StartsWith(line, "callback ");
    });
    ASSERT_NE(last, log.rend());
    EXPECT_EQ(*last, c.lastCallback);
    ExpectAllReleasedAndNothingElseCalled(log);
}

std::vector<std::string> Devices(int count)
{
    std::vector<std::string> script = {"device none 0x80000 Card A"};
    for (int i = 1; i < count; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "device {%08x-0000-0000-0000-000000000000} 0x0 Card %c", i,
                      'A' + i);
        script.emplace_back(line);
    }
    return script;
}

std::vector<std::string> Descriptions(int count)
{
    std::vector<std::string> descriptions;
    descriptions.reserve(count);
    for (int i = 0; i < count; ++i)
        descriptions.push_back(std::string("Card ") + static_cast<char>('A' + i));
    return descriptions;
}

std::vector<std::string> operator+(std::vector<std::string> lines, const char* line)
{
    lines.emplace_back(line);
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Display, Enumerations,
    testing::Values(
        EnumerationCase{"OneDevice", Devices(1), Descriptions(1), {}, 1, "callback 0 returned 1"},
        EnumerationCase{"CreateFailsForTheFirst",
                        Devices(2) + "fail 0 create",
                        {},
                        {kCreateFailed},
                        1,
                        "callback 0 returned 0"},
        EnumerationCase{"NoDirectDraw7ForTheFirst",
                        Devices(2) + "fail 0 dd7",
                        {},
                        {kDD7Failed},
                        1,
                        "callback 0 returned 0"},
        EnumerationCase{"CapabilitiesFailForTheSecond",
                        Devices(3) + "fail 1 getcaps",
                        Descriptions(1),
                        {kCapsFailed},
                        2,
                        "callback 1 returned 0"},
        EnumerationCase{"IdentificationFails",
                        Devices(2) + "fail 0 identifier",
                        {"", "Card B"},
                        {},
                        2,
                        "callback 1 returned 1"},
        EnumerationCase{
            "SeventeenDevices", Devices(17), Descriptions(16), {}, 16, "callback 16 returned 0"}),
    [](const testing::TestParamInfo<EnumerationCase>& param) {
        return std::string(param.param.name);
    });

TEST(DDrawError, KeepsAtMost255CharactersAndMarksTheGameUnableToRun)
{
    ResetDeviceTable();
    SetDDrawError(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(g_DDrawError), std::string(255, 'x'));
    EXPECT_FALSE(g_DDrawOK);
}

} // namespace
