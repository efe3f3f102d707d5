#include "Commands.h"

#include "TgaWriter.h"
#include "framework/ReportSink.h"
#include "picture/tga.h"

#include <cstdio>
#include <string>

namespace {

// One line per report; line ends and other control characters are shown escaped, so a text that
// ends in a line end can be told from one that does not.
void PrintReport(ReportChannel channel, std::string_view text)
{
    static constexpr const char* kPrefixes[] = {"message: ", "trace: ", "stderr: "};
    std::string line = kPrefixes[static_cast<int>(channel)];
    for (const char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\\') {
            line += "\\\\";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            line += escaped;
        } else {
            line += c;
        }
    }
    std::puts(line.c_str());
}

int Decode(std::span<char* const> arguments)
{
    if (arguments.size() != 2) {
        std::fputs("usage: tgatool decode IN.tga OUT.tga\n", stderr);
        return 2;
    }
    SetReportSink(PrintReport);
    CTga picture;
    const int loaded = picture.LoadTga(arguments[0]);
    std::fflush(stdout);
    // A failed load can still leave a picture (partly decoded, the rest black): it is written too.
    if (!picture.IsEmpty() && !WriteTga32(picture, arguments[1])) {
        std::fprintf(stderr, "tgatool: cannot write %s\n", arguments[1]);
        return 2;
    }
    return loaded == 1 ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"decode", "IN.tga OUT.tga",
     "Loads IN.tga as the launcher does and writes the picture to OUT.tga, uncompressed 32-bit,\n"
     "    rows bottom-up, fourth byte as decoded; no file when the load leaves no picture.\n"
     "    Prints the launcher's reports in order, one line each, prefixed \"message:\",\n"
     "    \"trace:\" or \"stderr:\". Exit status 0 when the load succeeded, 1 when it failed.",
     Decode},
};

} // namespace

std::span<const Command> Commands()
{
    return kCommands;
}
