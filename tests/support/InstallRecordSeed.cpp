#include "InstallRecordSeed.h"

#include <stdexcept>

namespace {

constexpr const char* kCompanyKey = "SOFTWARE\\Quillmoor Ltd";
constexpr const char* kGeneralKey = "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL";

void SetText(HKEY key, const char* name, const std::string& text)
{
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size()) + 1);
}

} // namespace

void SeedInstallRecord(const InstallRecordValues& values, REGSAM view)
{
    DeleteInstallRecord(view);
    UniqueRegistryKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGeneralKey, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the install record");
    if (values.targetDir)
        SetText(key.get(), "TARGETDIR", *values.targetDir);
    if (values.srcDrive)
        SetText(key.get(), "SRCDRIVE", *values.srcDrive);
    if (values.videoCard)
        SetText(key.get(), "VIDEOCARD", *values.videoCard);
    if (values.fullGameKey) {
        UniqueRegistryKey fullGame;
        if (::RegCreateKeyExA(key.get(), "FULLGAME", 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                              fullGame.put(), nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create the install record's FULLGAME key");
    }
}

void DeleteInstallRecord(REGSAM view)
{
    UniqueRegistryKey company;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCompanyKey, 0, KEY_ALL_ACCESS | view, company.put()) !=
        ERROR_SUCCESS)
        return;
    ::RegDeleteTreeA(company.get(), nullptr);
    company.reset();
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kCompanyKey, view, 0);
}

UniqueRegistryKey OpenInstallRecord(REGSAM access, REGSAM view)
{
    UniqueRegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGeneralKey, 0, access | view, key.put()) !=
        ERROR_SUCCESS)
        key.release(); // a failed open leaves the out-parameter undefined
    return key;
}

std::string StoredInstallText(const char* name)
{
    char text[600] = {};
    DWORD size = sizeof text - 1;
    const UniqueRegistryKey key = OpenInstallRecord(KEY_QUERY_VALUE);
    if (key)
        ::RegGetValueA(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}
