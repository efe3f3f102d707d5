// tgatool: runs the launcher's picture code on files, for looking at what it does with them.
#include "Commands.h"
#include "picture/PictureTrace.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

void PrintUsage(std::FILE* out)
{
    std::fputs("usage: tgatool [--trace-file PATH] COMMAND ARGUMENTS...\n"
               "       tgatool --help\n\n"
               "Options:\n"
               "  --trace-file PATH  append the picture trace records (16 bytes for each picture\n"
               "                     created) to PATH; by default none are written\n\n"
               "Commands:\n",
               out);
    for (const Command& command : Commands())
        std::fprintf(out, "  %.*s %.*s\n    %.*s\n", int(command.name.size()), command.name.data(),
                     int(command.arguments.size()), command.arguments.data(),
                     int(command.summary.size()), command.summary.data());
}

} // namespace

int main(int argc, char** argv)
{
    // The launcher's trace file name means nothing here: write no records unless asked to.
    SetPictureTraceFile("");
    int next = 1;
    if (next < argc &&
        (std::strcmp(argv[next], "--help") == 0 || std::strcmp(argv[next], "-h") == 0)) {
        PrintUsage(stdout);
        return 0;
    }
    if (next + 1 < argc && std::strcmp(argv[next], "--trace-file") == 0) {
        SetPictureTraceFile(argv[next + 1]);
        next += 2;
    }
    if (next < argc) {
        const std::string_view name = argv[next];
        for (const Command& command : Commands())
            if (command.name == name)
                return command.run({argv + next + 1, argv + argc});
        std::fprintf(stderr, "tgatool: unknown command '%s'\n\n", argv[next]);
    }
    PrintUsage(stderr);
    return 2;
}
