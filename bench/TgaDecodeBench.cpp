// Decoding a full-screen TGA picture, uncompressed and run-length encoded, with our decoder and
// with stb_image's, in one run. Both read the same file from the page cache and produce their
// natural layout: ours 4 bytes a pixel bottom-up, stb's 3 bytes a pixel top-down.
#include "BenchPictures.h"
#include "RatioReporter.h"
#include "framework/ReportSink.h"
#include "picture/PictureTrace.h"
#include "picture/tga.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void DecodeOurs(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        CTga picture;
        if (picture.LoadTga(path.c_str()) != 1)
            state.SkipWithError("LoadTga failed");
        benchmark::DoNotOptimize(picture.Bits());
    }
}

void DecodeStb(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
        if (!pixels)
            state.SkipWithError("stbi_load failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

// Whether both decoders give the same pixels, modulo layout.
bool SamePicture(const std::string& path)
{
    CTga ours;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* theirs = stbi_load(path.c_str(), &width, &height, &channels, 0);
    bool same = ours.LoadTga(path.c_str()) == 1 && theirs && channels == 3 &&
                width == ours.Width() && height == ours.Height();
    for (int y = 0; same && y < height; ++y) {
        const uint8_t* ourRow = ours.Bits() + size_t(y) * size_t(width) * 4;
        const uint8_t* theirRow = theirs + size_t(height - 1 - y) * size_t(width) * 3;
        for (size_t x = 0; same && x < size_t(width); ++x)
            same = ourRow[4 * x] == theirRow[3 * x + 2] &&
                   ourRow[4 * x + 1] == theirRow[3 * x + 1] &&
                   ourRow[4 * x + 2] == theirRow[3 * x] && ourRow[4 * x + 3] == 0;
    }
    stbi_image_free(theirs);
    return same;
}

bool Register(const std::string& name, const std::string& path)
{
    if (!SamePicture(path)) {
        std::fprintf(stderr, "%s: our pixels differ from stb_image's\n", name.c_str());
        return false;
    }
    benchmark::RegisterBenchmark(("BM_Decode/" + name).c_str(), DecodeOurs, path)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_Decode/" + name + "_stb").c_str(), DecodeStb, path)
        ->Unit(benchmark::kMillisecond);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    SetReportSink([](ReportChannel, std::string_view) {});
    SetPictureTraceFile("/dev/null");

    const ScratchFolder scratch;
    const auto picture = MakeBenchPicture24(kWidth, kHeight);
    const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
    // Both decoders must agree before their times mean anything.
    if (!Register("raw24_" + size,
                  scratch.Write("raw24.tga", EncodeTgaRaw24(picture, kWidth, kHeight))) ||
        !Register("rle24_" + size,
                  scratch.Write("rle24.tga", EncodeTgaRle24(picture, kWidth, kHeight))))
        return 1;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
