// The rescale cases that the zoom benchmarks time: the sizes, pictures to rescale, and their
// results checked against the plain reference rescale. Shared by the Google Benchmark program,
// the timing program that runs under Wine, and (through bench_tga_files) the Python peers.
#pragma once

#include "picture/tga.h"

#include <string>
#include <vector>

struct ZoomBenchCase {
    const char* family; // "BM_Rescale" or "BM_Enlarge"
    int width;
    int height;
    int outWidth;
    int outHeight;

    std::string Name() const; // for example "BM_Rescale/1920x1080_to_378x244"
};

// The menus' picture reduced to their picture areas, a small picture enlarged full-screen, and a
// full-screen picture enlarged four times each way (where scratch memory would grow).
const std::vector<ZoomBenchCase>& ZoomBenchCases();

// Fills `picture` with a width x height title-screen-like picture (gradients, noise, flat areas),
// and `blank` with a blank picture of the case's destination size.
void MakeBenchPictures(const ZoomBenchCase& c, CTga& picture, CTga& blank);

// The bytes of both pictures after a rescale.
struct RescaleResult {
    std::vector<unsigned char> source;
    std::vector<unsigned char> scaled;

    bool operator==(const RescaleResult&) const = default;
};

// Rescales the case's pictures with the reference, or with the engine as it is set now.
RescaleResult ReferenceResult(const ZoomBenchCase& c);
RescaleResult EngineResult(const ZoomBenchCase& c);

// Compares the engine's result with the reference's; on a difference, says so on the standard
// error stream.
bool MatchesReference(const ZoomBenchCase& c, const RescaleResult& reference);
