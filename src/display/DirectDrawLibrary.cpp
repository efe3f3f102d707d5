#include "display/DirectDrawLibrary.h"

namespace {

HMODULE Library()
{
    // Never freed: DirectDraw may keep threads and callbacks of its own until the program ends.
    static HMODULE library = ::LoadLibraryA("DDRAW.dll");
    return library;
}

template <class Function> Function EntryPoint(const char* name)
{
    HMODULE library = Library();
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(::GetProcAddress(library, name)))
                   : nullptr;
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
