// Feeds arbitrary files to LoadTga through the plain seams and checks that a picture it leaves is
// whole (ASan then catches any read past the file or write past the pixels) and holds what the
// plain reference decoder makes of the same file.
//
// Input: one byte that picks the instruction set of the decoder's row loops (portable, SSE2,
// SSSE3), then the file.
#include "TgaReference.h"
#include "base/ReportSink.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/TgaDecoder.h"
#include "picture/tga.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Pictures above this many bytes are skipped, except those too large to be created at all: they
// would only test how fast the allocator hands out zeroed gigabytes.
constexpr int64_t kMaxFuzzedBytes = int64_t{16} << 20;

// The levels that have row loops of their own.
constexpr InstructionSet kLevels[] = {InstructionSet::Portable, InstructionSet::Sse2,
                                      InstructionSet::Ssse3};

const std::string& ScratchFile()
{
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/fuzz-load-tga-" +
               std::to_string(::getpid()) + ".tga";
    }();
    return path;
}

bool IsWorthDecoding(const uint8_t* data, size_t size)
{
    if (size < kTgaHeaderSize)
        return true;
    const int64_t width = data[12] | data[13] << 8;
    const int64_t height = data[14] | data[15] << 8;
    const int64_t bytes = width * height * 4;
    return bytes <= kMaxFuzzedBytes || bytes > INT32_MAX;
}

void CheckPicture(const CTga& picture, int result)
{
    if (result == 1 && picture.IsEmpty())
        __builtin_trap();
    if (picture.IsEmpty())
        return;
    const TgaHeader& header = picture.Header();
    if (picture.Width() != header.width || picture.Height() != header.height)
        __builtin_trap();
    // Touch every byte the picture claims, so a buffer shorter than its header shows.
    const size_t bytes = size_t(picture.Width()) * size_t(picture.Height()) * 4;
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < bytes; i += 61)
        sum = sum + picture.Bits()[i];
    sum = sum + picture.Bits()[bytes - 1];
}

void CheckAgainstReference(const CTga& picture, int result, const uint8_t* data, size_t size)
{
    if (picture.IsEmpty())
        return;
    std::vector<uint8_t> pixels(size_t(picture.Width()) * size_t(picture.Height()) * 4, 0);
    const TgaDecodeResult expected =
        reference::DecodeTga({data, size}, pixels.data(), pixels.size());
    if ((expected == TgaDecodeResult::Decoded) != (result == 1) ||
        std::memcmp(pixels.data(), picture.Bits(), pixels.size()) != 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    SetReportSink([](ReportChannel, std::string_view) {});
    SetPictureTraceFile("/dev/null");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize)
{
    // A level this processor lacks is not run at all.
    if (inputSize == 0 || !SetInstructionSet(kLevels[input[0] % std::size(kLevels)]))
        return -1;
    const uint8_t* const data = input + 1;
    const size_t size = inputSize - 1;
    if (!IsWorthDecoding(data, size))
        return -1;
    if (!std::ofstream(ScratchFile(), std::ios::binary)
             .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)))
        std::abort();

    CTga picture;
    const int result = picture.LoadTga(ScratchFile().c_str());
    std::remove(ScratchFile().c_str());
    CheckPicture(picture, result);
    CheckAgainstReference(picture, result, data, size);
    return 0;
}
