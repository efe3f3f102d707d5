// The installer's record in HKEY_LOCAL_MACHINE. Every failure is silent: a missing key or value
// reads as absent or empty.
#include "base/Win32Handles.h"
#include "install/InstallRegistry.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace {

RegistrySetValueCall g_SetValue = &::RegSetValueExA;

UniqueRegistryKey OpenKey(const char* path, REGSAM access)
{
    UniqueRegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access | kInstallRecordView, key.put()) !=
        ERROR_SUCCESS)
        key.release();
    return key;
}

// A value that is missing, or cannot be read for another reason, reads as empty; one that does
// not fit the buffer reads as nothing at all. RegQueryValueExA then fails with ERROR_MORE_DATA
// and leaves the buffer undefined, and a cut text would name another folder.
std::optional<std::string> QueryText(HKEY key, const char* valueName)
{
    char buffer[kRegistryTextBuffer] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LSTATUS status =
        ::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status == ERROR_MORE_DATA)
        return std::nullopt;
    if (status != ERROR_SUCCESS)
        return std::string();
    return RegistryText(std::string_view(buffer, size));
}

} // namespace

RegistrySetValueCall SetRegistrySetValueCall(RegistrySetValueCall call)
{
    return std::exchange(g_SetValue, call);
}

bool IsGameInstalled()
{
    if (!OpenKey(kGeneralKeyPath, KEY_QUERY_VALUE))
        return false;
    return static_cast<bool>(OpenKey(kFullGameKeyPath, KEY_QUERY_VALUE));
}

std::optional<InstallRecord> ReadInstallRecord()
{
    const UniqueRegistryKey key = OpenKey(kGeneralKeyPath, KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    InstallRecord record;
    const auto targetDir = QueryText(key.get(), "TARGETDIR");
    record.TargetDir = targetDir.value_or("");
    record.TargetDirTooLong = !targetDir;
    record.SrcDrive = QueryText(key.get(), "SRCDRIVE").value_or("");
    return record;
}

std::string ReadVideoCard()
{
    const UniqueRegistryKey key = OpenKey(kGeneralKeyPath, KEY_QUERY_VALUE);
    return key ? QueryText(key.get(), "VIDEOCARD").value_or("") : std::string();
}

void WriteVideoCard(const std::string& description)
{
    const UniqueRegistryKey key = OpenKey(kGeneralKeyPath, KEY_SET_VALUE);
    if (!key)
        return;
    // The byte count is the text's length: no terminating zero is stored with it.
    const std::string text = RegistryText(description);
    g_SetValue(key.get(), "VIDEOCARD", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
               static_cast<DWORD>(text.size()));
}
