// The install record on Wine's real registry, where the game's 32-bit installer leaves it: in the
// registry's 32-bit view, which every build of the launcher must read and write.
#include "install/InstallRegistry.h"

#include "InstallRecordSeed.h"
#include "install/InstallRecord.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The installer's view is the one every build must use; the other one must stay untouched.
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;

class InstallRegistry : public testing::Test {
protected:
    void SetUp() override { DeleteRecords(); }
    void TearDown() override { DeleteRecords(); }

    static void DeleteRecords()
    {
        for (const REGSAM view : {kInstallersView, kOtherView})
            DeleteInstallRecord(view);
    }

    static void SetValue(const char* name, DWORD type, const std::vector<BYTE>& bytes)
    {
        const UniqueRegistryKey key = OpenInstallRecord(KEY_SET_VALUE);
        ASSERT_TRUE(key);
        ASSERT_EQ(::RegSetValueExA(key.get(), name, 0, type, bytes.data(),
                                   static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    static void SetText(const char* name, const std::string& text)
    {
        SetValue(name, REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
    }

    struct Stored {
        DWORD type = 0;
        std::string text;
    };
    static Stored ReadStored(const char* name)
    {
        Stored stored;
        char buffer[1024] = {};
        DWORD size = sizeof buffer;
        const UniqueRegistryKey key = OpenInstallRecord(KEY_QUERY_VALUE);
        if (key && ::RegGetValueA(key.get(), nullptr, name, RRF_RT_ANY | RRF_NOEXPAND, &stored.type,
                                  buffer, &size) == ERROR_SUCCESS)
            stored.text = buffer;
        return stored;
    }
};

TEST_F(InstallRegistry, TheGameCountsAsInstalledOnlyWithBothKeys)
{
    EXPECT_FALSE(IsGameInstalled());
    SeedInstallRecord({.fullGameKey = false});
    EXPECT_FALSE(IsGameInstalled());
    SeedInstallRecord({});
    EXPECT_TRUE(IsGameInstalled());
}

// A record in the other view is not the installer's: a 64-bit build that read its own view would
// show the autorun menu over an installed game, and store the video card where nothing reads it.
TEST_F(InstallRegistry, OnlyTheInstallersViewIsReadAndWritten)
{
    SeedInstallRecord({}, kOtherView);
    EXPECT_FALSE(IsGameInstalled());
    EXPECT_FALSE(ReadInstallRecord().has_value());

    SeedInstallRecord({.srcDrive = "E:"});
    EXPECT_TRUE(IsGameInstalled());
    EXPECT_EQ(ReadInstallRecord()->SrcDrive, "E:");
    WriteVideoCard("3D Add-on");
    EXPECT_EQ(ReadStored("VIDEOCARD").text, "3D Add-on");
    const UniqueRegistryKey other = OpenInstallRecord(KEY_QUERY_VALUE, kOtherView);
    ASSERT_TRUE(other);
    EXPECT_NE(::RegQueryValueExA(other.get(), "VIDEOCARD", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST_F(InstallRegistry, AMissingKeyIsNoRecordAndMissingValuesAreEmptyTexts)
{
    EXPECT_FALSE(ReadInstallRecord().has_value());
    EXPECT_EQ(ReadVideoCard(), "");

    SeedInstallRecord({.fullGameKey = false});
    const auto empty = ReadInstallRecord();
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->TargetDir, "");
    EXPECT_FALSE(empty->TargetDirTooLong);
    EXPECT_EQ(empty->SrcDrive, "");

    SetText("TARGETDIR", "C:\\Program Files\\Zarn");
    SetText("SRCDRIVE", "D:");
    const auto record = ReadInstallRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->TargetDir, "C:\\Program Files\\Zarn");
    EXPECT_EQ(record->SrcDrive, "D:");
}

TEST_F(InstallRegistry, ValuesReadAsAtMost199CharactersAndNeverAsCutPaths)
{
    SeedInstallRecord({.fullGameKey = false});
    SetText("TARGETDIR", std::string(199, 'a'));
    SetText("SRCDRIVE", std::string(250, 'b')); // does not fit the 200-byte buffer
    SetValue("VIDEOCARD", REG_BINARY, std::vector<BYTE>(200, 'c')); // fits, without a zero
    const auto record = ReadInstallRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->TargetDir, std::string(199, 'a'));
    EXPECT_FALSE(record->TargetDirTooLong);
    EXPECT_EQ(record->SrcDrive, "");
    EXPECT_EQ(ReadVideoCard(), std::string(199, 'c'));

    // A folder that does not fit is not taken for an empty one: no command line is built on it.
    SetText("TARGETDIR", std::string(200, 'a'));
    const auto tooLong = ReadInstallRecord();
    ASSERT_TRUE(tooLong.has_value());
    EXPECT_EQ(tooLong->TargetDir, "");
    EXPECT_TRUE(tooLong->TargetDirTooLong);
    EXPECT_EQ(RunCommand(*tooLong), "");
    EXPECT_EQ(UninstallCommand(*tooLong), "");
}

TEST_F(InstallRegistry, ValuesOfOtherTypesReadAsTheTextOfTheirBytes)
{
    SeedInstallRecord({.fullGameKey = false});
    SetValue("SRCDRIVE", REG_DWORD, {'E', 0, 0, 0});
    SetValue("TARGETDIR", REG_BINARY, {'C', ':', '\\', 'Z', 0, 'x', 'y'});
    const auto record = ReadInstallRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->SrcDrive, "E");
    EXPECT_EQ(record->TargetDir, "C:\\Z");
}

TEST_F(InstallRegistry, TheVideoCardIsStoredAsTextAndOnlyIntoAnExistingKey)
{
    WriteVideoCard("abc");
    EXPECT_FALSE(OpenInstallRecord(KEY_QUERY_VALUE));

    SeedInstallRecord({});
    WriteVideoCard("3D Add-on");
    EXPECT_EQ(ReadStored("VIDEOCARD").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadStored("VIDEOCARD").text, "3D Add-on");
    EXPECT_EQ(ReadVideoCard(), "3D Add-on");

    WriteVideoCard("");
    EXPECT_EQ(ReadStored("VIDEOCARD").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadVideoCard(), "");
}

std::vector<std::pair<DWORD, std::string>> g_Writes; // type and the bytes handed over

LONG WINAPI RecordSetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                           DWORD size)
{
    g_Writes.emplace_back(type, std::string(reinterpret_cast<const char*>(data), size));
    return ::RegSetValueExA(key, name, reserved, type, data, size);
}

TEST_F(InstallRegistry, TheVideoCardIsHandedOverWithoutATerminatingZero)
{
    SeedInstallRecord({});
    g_Writes.clear();
    const RegistrySetValueCall previous = SetRegistrySetValueCall(RecordSetValue);
    WriteVideoCard("abc");
    WriteVideoCard("");
    SetRegistrySetValueCall(previous);
    ASSERT_EQ(g_Writes.size(), 2u);
    EXPECT_EQ(g_Writes[0], (std::pair<DWORD, std::string>{REG_SZ, "abc"}));
    EXPECT_EQ(g_Writes[1], (std::pair<DWORD, std::string>{REG_SZ, ""}));
}

} // namespace
