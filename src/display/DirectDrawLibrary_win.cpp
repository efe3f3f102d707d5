#include "display/DirectDrawLibrary.h"

#include <string>

namespace {

// DDRAW.dll in the system folder, by its full path: it is not one of the system's known DLLs, so
// by name alone the program's own folder would be searched first, and any DDRAW.dll lying beside
// the launcher would be loaded. Empty when the system folder cannot be read.
std::string SystemDirectDrawPath()
{
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    // 0 is a failure; a length that does not fit is the buffer size the path would need.
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(folder, length) + "\\DDRAW.dll";
}

HMODULE Library()
{
    // Deliberately never freed: unloading DirectDraw while the process ends buys nothing and
    // risks its own threads and hooks outliving their code.
    static const HMODULE library = [] {
        const std::string path = SystemDirectDrawPath();
        return path.empty() ? nullptr : ::LoadLibraryA(path.c_str());
    }();
    return library;
}

template <class Function> Function EntryPoint(const char* name)
{
    const HMODULE library = Library();
    if (!library)
        return nullptr;
    // Through void* because FARPROC and the real signature are unrelated function types.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

} // namespace

DirectDrawEnumerateExAFunction DirectDrawEnumerateExAEntry()
{
    static const auto entry = EntryPoint<DirectDrawEnumerateExAFunction>("DirectDrawEnumerateExA");
    return entry;
}

DirectDrawCreateFunction DirectDrawCreateEntry()
{
    static const auto entry = EntryPoint<DirectDrawCreateFunction>("DirectDrawCreate");
    return entry;
}
