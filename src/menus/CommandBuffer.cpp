#include "menus/CommandBuffer.h"

#include "base/PathSeparators.h"

#include <algorithm>
#include <cctype>

bool FitsBuffer(std::string_view text, std::size_t capacity)
{
    return text.size() < capacity;
}

std::optional<std::vector<char>> ZeroFilledBuffer(std::string_view text, std::size_t capacity)
{
    if (!FitsBuffer(text, capacity))
        return std::nullopt;
    std::vector<char> buffer(capacity, '\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

std::size_t CapacityUnder(std::string_view root, std::size_t driveRootCapacity)
{
    const bool letter = !root.empty() && std::isalpha(static_cast<unsigned char>(root[0]));
    const std::string_view rest = letter ? root.substr(1) : root;
    const bool driveRoot =
        letter && (rest.empty() || rest == ":" ||
                   (rest.size() == 2 && rest[0] == ':' && IsPathSeparator(rest[1])));
    return driveRoot ? driveRootCapacity : std::max(driveRootCapacity, kLongestPathCapacity);
}
