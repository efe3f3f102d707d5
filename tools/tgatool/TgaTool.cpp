// tgatool: runs the launcher's picture code on files, for looking at what it does with them.
#include "Commands.h"
#include "WholeNumber.h"
#include "picture/PictureTrace.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace {

void PrintUsage(std::FILE* out)
{
    std::fprintf(
        out,
        "usage: tgatool [--trace-file PATH] [--max-pixels N] COMMAND ARGUMENTS...\n"
        "       tgatool --help\n\n"
        "Options:\n"
        "  --trace-file PATH  append the picture trace records (16 bytes for each picture\n"
        "                     created) to PATH; by default none are written\n"
        "  --max-pixels N     refuse, with exit status 1, a picture whose header states more\n"
        "                     than N pixels, a target of more, or a rescale whose rows between\n"
        "                     its passes (WIDTH x the source rows one target row reads) have\n"
        "                     more; %" PRIu64 " by default. The launcher's own limits are not\n"
        "                     changed by it.\n\n"
        "An output is written whole or not at all: to a file beside it, renamed over it once\n"
        "complete. An output that is a link to a file is replaced by the new file, and the file\n"
        "it pointed at is left as it was; a device or a pipe (/dev/stdout) is written in place.\n\n"
        "Commands:\n",
        kDefaultMaxPixels);
    for (const Command& command : Commands())
        std::fprintf(out, "  %.*s %.*s\n    %.*s\n", int(command.name.size()), command.name.data(),
                     int(command.arguments.size()), command.arguments.data(),
                     int(command.summary.size()), command.summary.data());
}

int UsageError(const char* problem, const char* argument)
{
    std::fprintf(stderr, "tgatool: %s '%s'\n\n", problem, argument);
    PrintUsage(stderr);
    return 2;
}

int MissingValue(const char* option, const char* what)
{
    std::fprintf(stderr, "tgatool: %s needs %s\n\n", option, what);
    PrintUsage(stderr);
    return 2;
}

// Reads the options before the command into `settings`, moving `next` past them. Returns an exit
// status when the tool is done: after --help, or on a bad option.
std::optional<int> ReadOptions(int argc, char** argv, int& next, ToolSettings& settings)
{
    for (; next < argc && argv[next][0] == '-'; ++next) {
        const std::string_view option = argv[next];
        const char* const value = next + 1 < argc ? argv[next + 1] : nullptr;
        if (option == "--help" || option == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if (option == "--trace-file") {
            // An empty path would quietly mean no trace at all.
            if (!value || *value == '\0')
                return MissingValue("--trace-file", "a PATH");
            SetPictureTraceFile(value);
            ++next;
        } else if (option == "--max-pixels") {
            if (!value)
                return MissingValue("--max-pixels", "a number N");
            const auto limit = ParseWholeNumber(value, 1, std::numeric_limits<uint64_t>::max());
            if (!limit)
                return UsageError(
                    "--max-pixels takes a whole number from 1 to 18446744073709551615, not", value);
            settings.maxPixels = *limit;
            ++next;
        } else {
            return UsageError("unknown option", argv[next]);
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    // The launcher's trace file name means nothing here: write no records unless asked to.
    SetPictureTraceFile("");
    ToolSettings settings;
    int next = 1;
    if (const std::optional<int> done = ReadOptions(argc, argv, next, settings))
        return *done;
    if (next < argc) {
        const std::string_view name = argv[next];
        for (const Command& command : Commands())
            if (command.name == name)
                return command.run(settings, {argv + next + 1, argv + argc});
        return UsageError("unknown command", argv[next]);
    }
    PrintUsage(stderr);
    return 2;
}
