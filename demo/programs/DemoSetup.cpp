// The demo CD's setup program: a stand-in for the game's installer. It leaves the record the
// launcher looks for (so the next run of the CD shows the options menu) and puts the demo game
// into the install folder.
#include "base/Win32Handles.h"

#include <windows.h>

#include <string>

namespace {

constexpr const char* kTitle = "Zarn Vellor Season 1999-2000 Setup";
constexpr const char* kTargetDir = "C:\\Games\\Zarn";
constexpr const char* kGeneralKey = "SOFTWARE\\Quillmoor Ltd\\Zarn Vellor Season 1999-00\\GENERAL";

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// In the registry's 32-bit view, as the game's 32-bit installer does, whichever build this is.
bool WriteRecord(const std::string& sourceDrive)
{
    UniqueRegistryKey general;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGeneralKey, 0, nullptr, 0,
                          KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, general.put(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    const auto setText = [&general](const char* name, const std::string& text) {
        ::RegSetValueExA(general.get(), name, 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size()) + 1);
    };
    setText("TARGETDIR", kTargetDir);
    setText("SRCDRIVE", sourceDrive);
    UniqueRegistryKey fullGame;
    return ::RegCreateKeyExA(general.get(), "FULLGAME", 0, nullptr, 0,
                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, fullGame.put(),
                             nullptr) == ERROR_SUCCESS;
}

} // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/)
{
    const std::string question = std::string("Install the game into ") + kTargetDir + "?";
    if (::MessageBoxA(nullptr, question.c_str(), kTitle, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;

    const std::string folder = OwnFolder();
    ::CreateDirectoryA("C:\\Games", nullptr);
    ::CreateDirectoryA(kTargetDir, nullptr);
    const bool copied = ::CopyFileA((folder + "\\zarn.exe").c_str(),
                                    (std::string(kTargetDir) + "\\zarn.exe").c_str(), FALSE);
    if (!copied || !WriteRecord(folder.substr(0, 2))) {
        ::MessageBoxA(nullptr, "Setup could not complete.", kTitle, MB_OK | MB_ICONSTOP);
        return 1;
    }
    ::MessageBoxA(nullptr, "The game is installed. Start the CD again for its options.", kTitle,
                  MB_OK | MB_ICONINFORMATION);
    return 0;
}
