#include "base/PathSeparators.h"

bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::size_t LastSeparator(std::string_view path, const LeadBytes& leadBytes)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t at = 0; at < path.size();) {
        // A lead byte and the byte after it are one character; a lead byte at the very end is
        // a character of its own, as the system reads it.
        if (leadBytes.IsLead(path[at]) && at + 1 < path.size()) {
            at += 2;
            continue;
        }
        if (IsPathSeparator(path[at]))
            last = at;
        ++at;
    }
    return last;
}

bool EndsWithSeparator(std::string_view path, const LeadBytes& leadBytes)
{
    return !path.empty() && LastSeparator(path, leadBytes) == path.size() - 1;
}

std::string JoinPath(std::string_view root, std::string_view tail, const LeadBytes& leadBytes)
{
    std::string path(root);
    if (!EndsWithSeparator(root, leadBytes))
        path += '\\';
    path += tail;
    return path;
}
