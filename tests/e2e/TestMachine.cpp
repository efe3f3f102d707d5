#include "TestMachine.h"

#include "DesktopWindows.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr const char* kGeneralKey = "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL";
constexpr const char* kCompanyKey = "SOFTWARE\\Quillmoor Ltd";

std::string WinePrefix()
{
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        throw std::runtime_error(
            "WINEPREFIX is not set: run the scenarios through tools/wine-run.sh");
    return prefix;
}

std::string DriveLink(char letter)
{
    return WinePrefix() + "/dosdevices/" + static_cast<char>(::tolower(letter)) + ":";
}

void SetText(HKEY key, const char* name, const std::string& text)
{
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size()) + 1);
}

} // namespace

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string UnixPath(const std::string& windowsPath)
{
    if (windowsPath.size() < 3 || ::toupper(windowsPath[0]) != 'Z' || windowsPath[1] != ':')
        throw std::runtime_error("not a path on Z:: " + windowsPath);
    std::string path = windowsPath.substr(2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

void RunUnixShell(const std::string& command)
{
    std::string line = "/bin/sh -c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        throw std::runtime_error("cannot start a Unix shell: " + command);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

std::string MakeCdFolder(const std::string& name)
{
    std::string root = ProgramFolder() + "\\e2e-cd\\" + name;
    DeleteTree(root);
    ::SHCreateDirectoryExA(nullptr, (root + "\\zarn2000").c_str(), nullptr);
    if (!::CopyFileA((ProgramFolder() + "\\lumbrel.exe").c_str(),
                     (root + "\\zarn2000\\lumbrel.exe").c_str(), FALSE))
        throw std::runtime_error("cannot put the marker into " + root);
    return root;
}

bool DriveIsMapped(char letter)
{
    const std::string root = std::string(1, letter) + ":\\";
    return ::GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MapDrive(char letter, const std::string& windowsFolder)
{
    RunUnixShell("ln -sfn '" + UnixPath(windowsFolder) + "' '" + DriveLink(letter) + "'");
    if (!WaitUntil([&] { return DriveIsMapped(letter); }))
        throw std::runtime_error(std::string("drive did not appear: ") + letter);
}

void UnmapDrive(char letter)
{
    if (!DriveIsMapped(letter))
        return;
    RunUnixShell("rm -f '" + DriveLink(letter) + "'");
    if (!WaitUntil([&] { return !DriveIsMapped(letter); }))
        throw std::runtime_error(std::string("drive did not go away: ") + letter);
}

void SeedInstallRecord(const InstallRecordValues& values)
{
    DeleteInstallRecord();
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGeneralKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the install record");
    if (values.targetDir)
        SetText(key, "TARGETDIR", *values.targetDir);
    if (values.srcDrive)
        SetText(key, "SRCDRIVE", *values.srcDrive);
    if (values.videoCard)
        SetText(key, "VIDEOCARD", *values.videoCard);
    if (values.fullGameKey) {
        HKEY fullGame = nullptr;
        ::RegCreateKeyExA(key, "FULLGAME", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &fullGame,
                          nullptr);
        ::RegCloseKey(fullGame);
    }
    ::RegCloseKey(key);
}

void DeleteInstallRecord()
{
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kCompanyKey);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kCompanyKey);
}

void DeleteTree(const std::string& windowsPath)
{
    if (::GetFileAttributesA(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    std::string from = windowsPath + std::string(2, '\0'); // double-zero-terminated list
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
}
