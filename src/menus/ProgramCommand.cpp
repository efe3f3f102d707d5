#include "menus/ProgramCommand.h"

#include "menus/CommandBuffer.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kExtension = ".exe";

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string_view SkipBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::optional<size_t> EndOfUnquotedProgram(std::string_view commandLine)
{
    for (size_t at = commandLine.find('.'); at != std::string_view::npos;
         at = commandLine.find('.', at + 1)) {
        const size_t end = at + kExtension.size();
        if (end > commandLine.size())
            break;
        const bool endsWord =
            end == commandLine.size() || kBlanks.find(commandLine[end]) != std::string_view::npos;
        if (endsWord && EqualsIgnoringCase(commandLine.substr(at, kExtension.size()), kExtension))
            return end;
    }
    return std::nullopt;
}

} // namespace

std::optional<ProgramCommand> SplitCommandLine(std::string_view commandLine)
{
    if (commandLine.starts_with('"')) {
        const size_t close = commandLine.find('"', 1);
        if (close == std::string_view::npos || close == 1)
            return std::nullopt;
        return ProgramCommand{std::string(commandLine.substr(1, close - 1)),
                              std::string(SkipBlanks(commandLine.substr(close + 1)))};
    }
    const auto end = EndOfUnquotedProgram(commandLine);
    if (!end)
        return std::nullopt;
    return ProgramCommand{std::string(commandLine.substr(0, *end)),
                          std::string(SkipBlanks(commandLine.substr(*end)))};
}

bool IsFullPath(std::string_view path)
{
    const bool driveRoot = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && path[2] == '\\';
    return driveRoot || path.starts_with("\\\\");
}

std::optional<ProgramCommand> ProgramToStart(std::string_view commandLine, std::size_t capacity)
{
    if (!FitsBuffer(commandLine, capacity))
        return std::nullopt;
    auto command = SplitCommandLine(commandLine);
    if (!command || !IsFullPath(command->program))
        return std::nullopt;
    return command;
}
