#include "menus/ProgramCommand.h"

#include "base/PathSeparators.h"
#include "menus/CommandBuffer.h"

#include <cctype>

ProgramCommand ProgramAlone(const std::string& program)
{
    return {program, program};
}

std::string_view Parameters(const ProgramCommand& command)
{
    const std::string_view line = command.commandLine;
    if (!line.starts_with(command.program))
        return {};
    const auto first = line.find_first_not_of(" \t", command.program.size());
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

bool IsFullPath(std::string_view path)
{
    const bool driveRoot = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && IsPathSeparator(path[2]);
    const bool networkPath =
        path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
    return driveRoot || networkPath;
}

bool CanStart(const ProgramCommand& command, std::size_t capacity)
{
    return FitsBuffer(command.commandLine, capacity) && IsFullPath(command.program) &&
           command.commandLine.starts_with(command.program);
}
