#include "Commands.h"

#include "TgaWriter.h"
#include "framework/ReportSink.h"
#include "picture/tga.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
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

// A picture side: a whole number from 1 to 65535, the most a TGA file can hold.
std::optional<int> ParseSide(const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<int>(value);
}

int Rescale(std::span<char* const> arguments)
{
    if (arguments.size() != 4) {
        std::fputs("usage: tgatool rescale IN.tga WIDTH HEIGHT OUT.tga\n", stderr);
        return 2;
    }
    const auto width = ParseSide(arguments[1]);
    const auto height = ParseSide(arguments[2]);
    if (!width || !height) {
        std::fputs("tgatool: WIDTH and HEIGHT are whole numbers from 1 to 65535\n", stderr);
        return 2;
    }
    SetReportSink(PrintReport);
    CTga source;
    const int loaded = source.LoadTga(arguments[0]);
    CTga destination;
    destination.CreateBlank(*width, *height);
    if (destination.IsEmpty()) {
        std::fprintf(stderr, "tgatool: cannot make a %dx%d picture\n", *width, *height);
        return 2;
    }
    source.RescaleInto(destination);
    std::fflush(stdout);
    // Written whether or not the load succeeded: a menu shows the blank picture then.
    if (!WriteTga32(destination, arguments[3])) {
        std::fprintf(stderr, "tgatool: cannot write %s\n", arguments[3]);
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
    {"rescale", "IN.tga WIDTH HEIGHT OUT.tga",
     "Loads IN.tga as \"decode\" does and rescales it into a WIDTH x HEIGHT picture as a menu\n"
     "    does for its picture area (378 244 and 327 237 on the usual screens), then writes it\n"
     "    to OUT.tga like \"decode\"; written even when the load failed (blank, as a menu shows\n"
     "    it). Prints the reports and exits as \"decode\" does.",
     Rescale},
};

} // namespace

std::span<const Command> Commands()
{
    return kCommands;
}
