// tgatool's subcommands. Each takes the settings from the options and the arguments after its
// name, and returns the exit status.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The most pixels a picture, a target or a rescale's rows between its passes may have unless
// --max-pixels says otherwise: 2^30 / 12, the decompression-bomb limit common in picture tools.
inline constexpr uint64_t kDefaultMaxPixels = 89478485;

struct ToolSettings {
    uint64_t maxPixels = kDefaultMaxPixels;
};

struct Command {
    std::string_view name;
    std::string_view arguments; // for the usage text
    std::string_view summary;
    int (*run)(const ToolSettings& settings, std::span<char* const> arguments);
};

std::span<const Command> Commands();
