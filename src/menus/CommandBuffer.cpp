#include "menus/CommandBuffer.h"

#include <algorithm>

std::optional<std::vector<char>> ZeroFilledBuffer(std::string_view text, std::size_t capacity)
{
    if (text.size() >= capacity)
        return std::nullopt;
    std::vector<char> buffer(capacity, '\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}
