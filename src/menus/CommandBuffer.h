// The fixed buffers that command lines and folders pass through on their way to the system; their
// capacities are the disc layout's (install/DiscLayout.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// Whether `text` fits a buffer of `capacity` characters with at least one zero byte after it.
bool FitsBuffer(std::string_view text, std::size_t capacity);

// A zero-filled buffer of `capacity` characters holding `text` with at least one zero byte after
// it; nothing when `text` is too long for that. A longer text is refused rather than cut: a cut
// command line or folder can name a different program or place.
std::optional<std::vector<char>> ZeroFilledBuffer(std::string_view text, std::size_t capacity);
