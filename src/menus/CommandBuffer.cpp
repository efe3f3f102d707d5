#include "menus/CommandBuffer.h"

#include <algorithm>

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
