#include "WholeNumber.h"

#include <charconv>
#include <system_error>

std::optional<uint64_t> ParseWholeNumber(std::string_view text, uint64_t least, uint64_t most)
{
    const char* const end = text.data() + text.size();
    uint64_t value = 0;
    // An unsigned from_chars takes neither a sign nor leading space, and reports overflow.
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc() || stop != end || value < least || value > most)
        return std::nullopt;
    return value;
}
