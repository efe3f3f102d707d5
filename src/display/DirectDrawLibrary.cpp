#include "display/DirectDrawLibrary.h"

namespace {

HMODULE Library()
{
    // Deliberately never freed: unloading DirectDraw while the process ends buys nothing and
    // risks its own threads and hooks outliving their code.
    static const HMODULE library = ::LoadLibraryA("DDRAW.dll");
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
