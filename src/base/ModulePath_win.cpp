#include "base/ModulePath.h"

#include <algorithm>

namespace {

// A path holds at most 32767 UTF-16 units; a double-byte code page can need two bytes for each.
constexpr DWORD kLongestPathBytes = 2 * 32767 + 1;

} // namespace

std::string ModulePath(HMODULE module)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const auto capacity = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameA(module, path.data(), capacity);
        // A cut path fills the whole buffer, and older systems leave it without a terminating
        // zero: only the returned length tells whether it fitted.
        if (length < capacity) {
            path.resize(length);
            return path;
        }
        if (capacity >= kLongestPathBytes)
            return {};
        path.resize(std::min(2 * capacity, kLongestPathBytes));
    }
}
