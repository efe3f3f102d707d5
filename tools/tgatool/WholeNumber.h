// Numbers on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal digits and nothing else (no space, sign or trailing text) for a value from `least` to
// `most`; nullopt otherwise, overflow included.
std::optional<uint64_t> ParseWholeNumber(std::string_view text, uint64_t least, uint64_t most);
