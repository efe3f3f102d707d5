// Decoding a full-screen TGA picture, uncompressed and run-length encoded: our decoder (on the
// path the processor gets, and on each narrower path) and the plain reference into a warm
// buffer, stb_image into the buffer it allocates (it has no other way), all from the file's
// bytes in memory; and our whole load, file reading and fresh picture included. Our pixels are
// 4 bytes bottom-up, stb's 3 bytes top-down.
#include "DecodeBenchCases.h"
#include "ScratchFolder.h"
#include "base/ReportSink.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/TgaDecoder.h"
#include "picture/tga.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Our decoder on one instruction set, restored to the processor's afterwards.
void BenchOurs(benchmark::State& state, const DecodeBenchCase& c, InstructionSet level)
{
    if (!SetInstructionSet(level)) {
        state.SkipWithError("not available on this processor");
        return;
    }
    Bytes pixels = WarmPixelBuffer(c);
    for (auto _ : state) {
        if (!DecodeOurs(c, pixels))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    SetInstructionSet(ProcessorInstructionSet());
}

void BenchReference(benchmark::State& state, const DecodeBenchCase& c)
{
    Bytes pixels = WarmPixelBuffer(c);
    for (auto _ : state) {
        if (!DecodeReference(c, pixels))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}

stbi_uc* DecodeStb(const Bytes& file, int* width, int* height, int* channels)
{
    return stbi_load_from_memory(file.data(), static_cast<int>(file.size()), width, height,
                                 channels, 0);
}

void BenchStb(benchmark::State& state, const DecodeBenchCase& c)
{
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = DecodeStb(c.file, &width, &height, &channels);
        if (!pixels)
            state.SkipWithError("stbi_load_from_memory failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

void BenchLoad(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        CTga picture;
        if (picture.LoadTga(path.c_str()) != 1)
            state.SkipWithError("LoadTga failed");
        benchmark::DoNotOptimize(picture.Bits());
    }
}

// Whether stb_image's pixels are ours, modulo layout.
bool SameAsStb(const DecodeBenchCase& c)
{
    Bytes ours = WarmPixelBuffer(c);
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* theirs = DecodeStb(c.file, &width, &height, &channels);
    bool same = DecodeOurs(c, ours) && theirs && channels == 3 &&
                ours.size() == size_t(width) * size_t(height) * 4;
    for (size_t y = 0; same && y < size_t(height); ++y) {
        const uint8_t* ourRow = ours.data() + y * size_t(width) * 4;
        const uint8_t* theirRow = theirs + (size_t(height) - 1 - y) * size_t(width) * 3;
        for (size_t x = 0; same && x < size_t(width); ++x)
            same = ourRow[4 * x] == theirRow[3 * x + 2] &&
                   ourRow[4 * x + 1] == theirRow[3 * x + 1] &&
                   ourRow[4 * x + 2] == theirRow[3 * x] && ourRow[4 * x + 3] == 0;
    }
    stbi_image_free(theirs);
    if (!same)
        std::fprintf(stderr, "%s: stb_image's pixels differ from ours\n", c.name.c_str());
    return same;
}

// A twin on a path the processor lacks ends in an error, and no time is reported for it.
void Register(const DecodeBenchCase& c, const std::string& path)
{
    const auto add = [](const std::string& name, auto function, const auto&... arguments) {
        benchmark::RegisterBenchmark(name.c_str(), function, arguments...)
            ->Unit(benchmark::kMillisecond);
    };
    add(c.name, BenchOurs, c, ProcessorInstructionSet());
    add(c.name + "_sse2", BenchOurs, c, InstructionSet::Sse2);
    add(c.name + "_portable", BenchOurs, c, InstructionSet::Portable);
    add(c.name + "_reference", BenchReference, c);
    add(c.name + "_stb", BenchStb, c);
    add("BM_Load/" + c.name.substr(c.name.find('/') + 1), BenchLoad, path);
}

} // namespace

int main(int argc, char** argv)
{
    SetReportSink([](ReportChannel, std::string_view) {});
    SetPictureTraceFile("/dev/null");

    const ScratchFolder scratch;
    for (const DecodeBenchCase& c : DecodeBenchCases()) {
        // The decoders must agree before their times mean anything.
        for (const InstructionSet level :
             {InstructionSet::Portable, InstructionSet::Sse2, InstructionSet::Ssse3})
            if (SetInstructionSet(level) && !DecodeMatchesReference(c))
                return 1;
        SetInstructionSet(ProcessorInstructionSet());
        if (!SameAsStb(c))
            return 1;
        Register(c, scratch.Write(c.fileName, c.file));
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
