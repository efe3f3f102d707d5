#include "TestMachine.h"

#include "DesktopWindows.h"
#include "base/Win32Handles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

std::string WinePrefix()
{
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        throw std::runtime_error(
            "WINEPREFIX is not set: run the scenarios through tools/lib/wine-run.sh");
    return prefix;
}

std::string DriveLink(char letter)
{
    return WinePrefix() + "/dosdevices/" + static_cast<char>(::tolower(letter)) + ":";
}

void CopyInto(const std::string& from, const std::string& to)
{
    const std::string folder = to.substr(0, to.find_last_of('\\'));
    ::SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    if (!::CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to);
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    ::SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    std::ofstream file(path, std::ios::binary);
    if (!(file << text))
        throw std::runtime_error("cannot write " + path);
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
    const UniqueKernelHandle thread(process.hThread);
    const UniqueKernelHandle shell(process.hProcess);
}

TestPicture IntroPictureOnCd()
{
    return QuadrantPicture(320, 240);
}

TestPicture MenuPictureOnCd()
{
    return RampPicture(200, 130);
}

std::string MakeCdFolder(const std::string& name)
{
    std::string root = ProgramFolder() + "\\e2e-cd\\" + name;
    LayOutCd(root);
    return root;
}

void LayOutCd(const std::string& root)
{
    DeleteTree(root);
    CopyInto(ProgramFolder() + "\\lumbrel.exe", root + "\\zarn2000\\lumbrel.exe");
    PlaceStandin(root + "\\zarn2000\\setup\\disk1\\setup.exe");
    ::CreateDirectoryA((root + "\\zarn2000\\Data").c_str(), nullptr);
    WriteTga(root + "\\zarn2000\\Data\\intro.tga", IntroPictureOnCd());
    WriteTga(root + "\\zarn2000\\Data\\setup.tga", MenuPictureOnCd());
    WriteTextFile(root + "\\zarn2000\\help\\zarnhelp.rtf", "{\\rtf1\\ansi Help.}");
    // What the installed game's menu looks for at the root of the drive the installer recorded.
    ::CreateDirectoryA((root + "\\data").c_str(), nullptr);
    WriteTga(root + "\\data\\setup.tga", MenuPictureOnCd());
    WriteTextFile(root + "\\help\\zarnhelp.rtf", "{\\rtf1\\ansi Help.}");
    for (const char* shortcut : {"quillmoor web site.url", "Zarn Games web site.url"})
        WriteTextFile(root + "\\" + shortcut, "[InternetShortcut]\r\nURL=http://localhost/\r\n");
    PlaceStandin(root + "\\setup\\disk1\\setup.exe");
}

std::string StandinLogPath()
{
    return ProgramFolder() + "\\e2e-cd\\standin.log";
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandinLog()
{
    return ReadLines(StandinLogPath());
}

void PlaceStandin(const std::string& windowsPath)
{
    CopyInto(ProgramFolder() + "\\standin.exe", windowsPath);
}

void RegisterDocumentOpener()
{
    const std::string opener = ProgramFolder() + "\\e2e-cd\\opener.exe";
    if (::GetFileAttributesA(opener.c_str()) == INVALID_FILE_ATTRIBUTES)
        PlaceStandin(opener);
    const std::string command = "\"" + opener + "\" \"%1\"";
    ::RegSetKeyValueA(HKEY_CLASSES_ROOT, "LumbrelTest.Document\\shell\\open\\command", nullptr,
                      REG_SZ, command.c_str(), static_cast<DWORD>(command.size()) + 1);
    for (const char* extension : {".rtf", ".url"})
        ::RegSetKeyValueA(HKEY_CLASSES_ROOT, extension, nullptr, REG_SZ, "LumbrelTest.Document",
                          sizeof "LumbrelTest.Document");
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
