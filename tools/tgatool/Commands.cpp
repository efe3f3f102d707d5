#include "Commands.h"

#include "TgaWriter.h"
#include "WholeNumber.h"
#include "base/ReportSink.h"
#include "picture/FileContents.h"
#include "picture/TgaDecoder.h"
#include "picture/ZoomEngine.h"
#include "picture/tga.h"

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace {

void PrintReport(ReportChannel channel, std::string_view text)
{
    std::puts(ReportLine(channel, text).c_str());
}

struct PictureSize {
    uint64_t width;
    uint64_t height;
};

// Says which picture broke the limit, and how to lift it.
bool IsWithinPixelLimit(const ToolSettings& settings, PictureSize size, const std::string& what)
{
    if (size.width * size.height <= settings.maxPixels)
        return true;
    std::fprintf(stderr,
                 "tgatool: %s is %" PRIu64 " x %" PRIu64 " pixels, over the limit of %" PRIu64
                 " (--max-pixels)\n",
                 what.c_str(), size.width, size.height, settings.maxPixels);
    return false;
}

// The size a file's header states, checked before the load allocates it; nothing when the file
// is too short to have a header (the load reports that).
std::optional<PictureSize> StatedSize(const FileContents& file)
{
    const std::optional<TgaFile> tga = ReadTgaFile(file.Bytes());
    if (!tga)
        return std::nullopt;
    return PictureSize{tga->header.width, tga->header.height};
}

std::string PictureIn(const char* path)
{
    return std::string("the picture in ") + path;
}

// The target, the source as its header states it, and the rows held between the two passes: the
// horizontal pass comes first, into rows of WIDTH, and each thread holds as many as one target
// row reads, so a tall narrow source made wide and short takes far more memory than either.
uint64_t RowsHeld(PictureSize source, PictureSize target)
{
    constexpr uint64_t kLongest = std::numeric_limits<int32_t>::max();
    if (source.height > kLongest || target.height > kLongest)
        return source.height;
    return static_cast<uint64_t>(ZoomWindowLength(static_cast<int32_t>(source.height),
                                                  static_cast<int32_t>(target.height),
                                                  FilterForSelector(kZoomRescaleSelector).support));
}

bool AreRescaleSizesWithinLimit(const ToolSettings& settings, const char* path,
                                std::optional<PictureSize> stated, PictureSize target)
{
    if (!IsWithinPixelLimit(settings, target, "the target"))
        return false;
    return !stated || (IsWithinPixelLimit(settings, *stated, PictureIn(path)) &&
                       IsWithinPixelLimit(settings, {target.width, RowsHeld(*stated, target)},
                                          "the rows between the passes (WIDTH x the rows of " +
                                              std::string(path) + " that one target row reads)"));
}

int WriteOrSayWhy(const CTga& picture, const char* path)
{
    if (const std::error_code error = WriteTga32(picture, path)) {
        std::fprintf(stderr, "tgatool: cannot write %s: %s\n", path, error.message().c_str());
        return 2;
    }
    return 0;
}

int Decode(const ToolSettings& settings, std::span<char* const> arguments)
{
    if (arguments.size() != 2) {
        std::fputs("usage: tgatool decode IN.tga OUT.tga\n", stderr);
        return 2;
    }
    FileContents file(arguments[0]);
    const std::optional<PictureSize> stated = StatedSize(file);
    if (stated && !IsWithinPixelLimit(settings, *stated, PictureIn(arguments[0])))
        return 1;
    SetReportSink(PrintReport);
    CTga picture;
    const int loaded = picture.LoadTga(std::move(file));
    std::fflush(stdout);
    // A failed load can still leave a picture (partly decoded, the rest black): it is written too.
    if (!picture.IsEmpty()) {
        if (const int status = WriteOrSayWhy(picture, arguments[1]))
            return status;
    }
    return loaded == 1 ? 0 : 1;
}

// A picture side: a whole number from 1 to 65535, the most a TGA file can hold.
std::optional<int> ParseSide(const char* text)
{
    const auto side = ParseWholeNumber(text, 1, 65535);
    return side ? std::optional<int>(static_cast<int>(*side)) : std::nullopt;
}

int Rescale(const ToolSettings& settings, std::span<char* const> arguments)
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
    FileContents file(arguments[0]);
    if (!AreRescaleSizesWithinLimit(settings, arguments[0], StatedSize(file),
                                    {uint64_t(*width), uint64_t(*height)}))
        return 1;
    SetReportSink(PrintReport);
    CTga source;
    const int loaded = source.LoadTga(std::move(file));
    CTga destination;
    destination.CreateBlank(*width, *height);
    if (destination.IsEmpty()) {
        std::fprintf(stderr, "tgatool: cannot make a %dx%d picture\n", *width, *height);
        return 2;
    }
    source.RescaleInto(destination);
    std::fflush(stdout);
    // Written whether or not the load succeeded: a menu shows the blank picture then.
    if (const int status = WriteOrSayWhy(destination, arguments[3]))
        return status;
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
