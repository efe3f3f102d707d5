// tgatool's subcommands. Each takes the arguments after its name and returns the exit status.
#pragma once

#include <span>
#include <string_view>

struct Command {
    std::string_view name;
    std::string_view arguments; // for the usage text
    std::string_view summary;
    int (*run)(std::span<char* const> arguments);
};

std::span<const Command> Commands();
