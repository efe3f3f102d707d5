#include "AutorunInf.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameWord(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// Sets `entry` from the first line that gives it.
void Take(std::optional<std::string>& entry, std::string_view value)
{
    if (!entry)
        entry = std::string(value);
}

} // namespace

AutorunEntries ReadAutorunEntries(std::span<const uint8_t> bytes)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    AutorunEntries entries;
    bool inAutorun = false;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            const size_t close = line.find(']');
            inAutorun = close != std::string_view::npos &&
                        SameWord(Trim(line.substr(1, close - 1)), "autorun");
            continue;
        }
        const size_t equals = line.find('=');
        if (!inAutorun || line.starts_with(';') || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (SameWord(key, "open"))
            Take(entries.open, value);
        else if (SameWord(key, "icon"))
            Take(entries.icon, value);
    }
    return entries;
}

std::string OpenProgram(const std::string& commandLine)
{
    if (commandLine.starts_with('"'))
        return commandLine.substr(1, commandLine.find('"', 1) - 1);
    return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

std::string IconFile(const std::string& entry)
{
    const size_t comma = entry.rfind(',');
    if (comma == std::string::npos)
        return entry;
    std::string_view index = Trim(std::string_view(entry).substr(comma + 1));
    if (index.starts_with('-'))
        index.remove_prefix(1);
    const bool isIndex = !index.empty() && std::ranges::all_of(index, [](unsigned char c) {
        return std::isdigit(c) != 0;
    });
    return isIndex ? std::string(Trim(std::string_view(entry).substr(0, comma))) : entry;
}
