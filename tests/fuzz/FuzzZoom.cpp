// Zooms and rescales of sizes, filters, channel counts, instruction-set paths and thread counts
// that the input chooses, each compared byte for byte with the plain reference zoom (ASan then
// catches any read past the source or write past the destination).
//
// Input: a 13-byte header, then source samples, repeated as often as the source needs them.
//   0     instruction-set path (portable, SSE2, AVX2)
//   1     threads: bits 0-1 the most (1 to 4); bit 2 splits any image into bands of rows
//   2     selector: below 0x80 one of the named ones, otherwise the low 7 bits as they are
//   3     channels of ZoomSamples, 0 to 6
//   4     what is run: ZoomSamples, RescaleInto another picture, or RescaleInto itself
//   5-12  source width and height, destination width and height: 16 bits each, little-endian
#include "RescaleReference.h"
#include "TgaBuilder.h"
#include "ZoomReference.h"
#include "base/ReportSink.h"
#include "picture/FileContents.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/ZoomEngine.h"
#include "picture/tga.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHeaderBytes = 13;
// Bounds that keep one input to a few milliseconds under the sanitizers while still reaching
// every block width, strong reductions and enlargements, and long thin images.
constexpr int kMaxSide = 1024;
constexpr std::int64_t kMaxSamples = std::int64_t{1} << 14;
constexpr std::uint8_t kUntouched = 0xEE;
// Not one of the named selectors: what RescaleInto uses, the Hermite filter.
constexpr std::uint32_t kDefaultSelector = 5;

// The levels that have kernels of their own.
constexpr InstructionSet kLevels[] = {InstructionSet::Portable, InstructionSet::Sse2,
                                      InstructionSet::Avx2};
constexpr std::uint32_t kNamedSelectors[] = {kZoomNone,     kZoomNearest,    kZoomBox,
                                             kZoomTriangle, kZoomBSpline,    kZoomLanczos3,
                                             kZoomMitchell, kDefaultSelector};

enum class Run { Zoom, RescaleIntoAnother, RescaleIntoItself };

struct Size {
    int width;
    int height;

    std::size_t Samples(int channels) const
    {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
               static_cast<std::size_t>(channels);
    }
};

struct Case {
    Run run;
    std::uint32_t selector;
    int channels;
    Size from;
    Size to;
};

int Side(const std::uint8_t* bytes)
{
    return (bytes[0] | bytes[1] << 8) % (kMaxSide + 1);
}

std::uint32_t Selector(std::uint8_t byte)
{
    if (byte < 0x80)
        return kNamedSelectors[byte % std::size(kNamedSelectors)];
    return byte & 0x7Fu;
}

Case ReadCase(const std::uint8_t* header)
{
    const auto run = static_cast<Run>(header[4] % 3);
    const bool rescale = run != Run::Zoom;
    return {run,
            rescale ? kDefaultSelector : Selector(header[2]),
            rescale ? 4 : header[3] % 7,
            {Side(header + 5), Side(header + 7)},
            {Side(header + 9), Side(header + 11)}};
}

// The source, the destination and an intermediate image of either pass order within the bound:
// a filter's taps then cost at most a few times as many products.
bool IsSmallEnough(const Case& c)
{
    const int channels = std::max(c.channels, 1);
    const auto within = [channels](Size size) { return size.Samples(channels) <= kMaxSamples; };
    return within(c.from) && within(c.to) && within({c.to.width, c.from.height}) &&
           within({c.from.width, c.to.height});
}

// Selects the instruction set and threading; false when the processor lacks the instruction set.
bool Configure(std::uint8_t level, std::uint8_t threading)
{
    if (!SetInstructionSet(kLevels[level % std::size(kLevels)]))
        return false;
    const int threads = (threading & 3) + 1;
    SetZoomThreading(threading & 4
                         ? ZoomThreading{threads, 0}
                         : ZoomThreading{threads, DefaultZoomThreading().minWorkPerThread});
    return true;
}

Bytes Repeated(std::span<const std::uint8_t> samples, std::size_t count)
{
    Bytes out(count, 0);
    if (!samples.empty())
        for (std::size_t i = 0; i < count; ++i)
            out[i] = samples[i % samples.size()];
    return out;
}

void Check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// Buffers of exactly the images' sizes, so that a stray read or write shows under ASan.
void CheckZoom(const Case& c, std::span<const std::uint8_t> samples)
{
    const Bytes src = Repeated(samples, c.from.Samples(c.channels));
    Bytes ours(c.to.Samples(c.channels), kUntouched);
    Bytes theirs(ours.size(), kUntouched);
    ZoomSamples(src.data(), c.from.width, c.from.height, ours.data(), c.to.width, c.to.height,
                c.channels, c.selector);
    reference::ZoomSamples(src.data(), c.from.width, c.from.height, theirs.data(), c.to.width,
                           c.to.height, c.channels, c.selector);
    Check(ours == theirs);
}

// A 32-bit picture of the given pixels (fourth bytes included), loaded as a file; empty when a
// side is 0.
void LoadPicture(CTga& picture, Size size, const Bytes& pixels)
{
    const Bytes file = TgaBuilder(2, 32, static_cast<std::uint16_t>(size.width),
                                  static_cast<std::uint16_t>(size.height))
                           .Data(pixels)
                           .Bytes();
    FileContents contents(file.size(), [&file](std::span<std::uint8_t> into) {
        std::memcpy(into.data(), file.data(), into.size());
        return into.size();
    });
    picture.LoadTga(std::move(contents));
}

Bytes PixelsOf(const CTga& picture)
{
    const std::size_t count = Size{picture.Width(), picture.Height()}.Samples(4);
    return picture.IsEmpty() ? Bytes() : Bytes(picture.Bits(), picture.Bits() + count);
}

Bytes WithoutFourthBytes(Bytes pixels)
{
    for (std::size_t p = 3; p < pixels.size(); p += 4)
        pixels[p] = 0;
    return pixels;
}

void CheckRescale(const Case& c, std::span<const std::uint8_t> samples)
{
    CTga source;
    LoadPicture(source, c.from, Repeated(samples, c.from.Samples(4)));
    const Bytes before = PixelsOf(source);
    if (c.run == Run::RescaleIntoItself) {
        source.RescaleInto(source);
        Check(PixelsOf(source) == WithoutFourthBytes(before));
        return;
    }
    CTga destination;
    destination.CreateBlank(c.to.width, c.to.height);
    const Bytes blank = PixelsOf(destination);
    source.RescaleInto(destination);
    if (source.IsEmpty() || destination.IsEmpty()) {
        // Nothing to scale: both stay as they were.
        Check(PixelsOf(source) == before && PixelsOf(destination) == blank);
        return;
    }
    CTga plainSource;
    CTga plainDestination;
    LoadPicture(plainSource, c.from, Repeated(samples, c.from.Samples(4)));
    plainDestination.CreateBlank(c.to.width, c.to.height);
    reference::Rescale(plainSource, plainDestination);
    Check(PixelsOf(destination) == PixelsOf(plainDestination));
    Check(PixelsOf(source) == PixelsOf(plainSource));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    SetReportSink([](ReportChannel, std::string_view) {});
    SetPictureTraceFile("/dev/null");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderBytes)
        return -1;
    const Case c = ReadCase(data);
    if (!IsSmallEnough(c) || !Configure(data[0], data[1]))
        return -1;
    const std::span<const std::uint8_t> samples(data + kHeaderBytes, size - kHeaderBytes);
    if (c.run == Run::Zoom)
        CheckZoom(c, samples);
    else
        CheckRescale(c, samples);
    return 0;
}
