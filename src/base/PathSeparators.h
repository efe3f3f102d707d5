// The separators of a path, '\' and '/', found character by character (see LeadBytes.h).
#pragma once

#include "base/LeadBytes.h"

#include <cstddef>
#include <string>
#include <string_view>

bool IsPathSeparator(char c);

// The offset of the last separator that is a character of its own; npos when there is none.
std::size_t LastSeparator(std::string_view path, const LeadBytes& leadBytes);

bool EndsWithSeparator(std::string_view path, const LeadBytes& leadBytes);

// `tail` under `root`, with one backslash between them unless `root` ends in a separator.
std::string JoinPath(std::string_view root, std::string_view tail, const LeadBytes& leadBytes);
