// The installer's record in HKEY_LOCAL_MACHINE. Every failure is silent: a missing key or value
// reads as absent or empty.
#include "framework/UniqueHandle.h"
#include "install/InstallRecord.h"
#include "install/InstallRegistry.h"

#include <windows.h>

#include <utility>

namespace {

RegistrySetValueCall g_setValue = &::RegSetValueExA;

UniqueRegistryKey OpenKey(const char* path, REGSAM access)
{
    UniqueRegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, key.put()) != ERROR_SUCCESS)
        key.release();
    return key;
}

std::string QueryText(HKEY key, const char* valueName)
{
    char buffer[kRegistryTextBuffer] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    // A value that does not fit fails with ERROR_MORE_DATA and leaves the buffer undefined; it
    // reads as empty rather than as a cut text that would name another folder.
    if (::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                           &size) != ERROR_SUCCESS)
        return {};
    return RegistryText(std::string_view(buffer, size));
}

} // namespace

RegistrySetValueCall SetRegistrySetValueCall(RegistrySetValueCall call)
{
    return std::exchange(g_setValue, call);
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
    record.TargetDir = QueryText(key.get(), "TARGETDIR");
    record.SrcDrive = QueryText(key.get(), "SRCDRIVE");
    return record;
}

std::string ReadVideoCard()
{
    const UniqueRegistryKey key = OpenKey(kGeneralKeyPath, KEY_QUERY_VALUE);
    return key ? QueryText(key.get(), "VIDEOCARD") : std::string();
}

void WriteVideoCard(const std::string& description)
{
    const UniqueRegistryKey key = OpenKey(kGeneralKeyPath, KEY_SET_VALUE);
    if (!key)
        return;
    // The byte count is the text's length: no terminating zero is stored with it.
    const std::string text = RegistryText(description);
    g_setValue(key.get(), "VIDEOCARD", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
               static_cast<DWORD>(text.size()));
}
