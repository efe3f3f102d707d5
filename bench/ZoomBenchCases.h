// The rescale cases that the zoom benchmarks time: the sizes, pictures to rescale, and the plain
// reference rescale that every result is checked against. Shared by the Google Benchmark program
// and the timing program that runs under Wine.
#pragma once

#include "picture/ChannelImage.h"
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

// The menus' picture reduced to their picture areas, and a small picture enlarged full-screen.
const std::vector<ZoomBenchCase>& ZoomBenchCases();

// Fills `picture` with a width x height title-screen-like picture (gradients, noise, flat areas),
// and `blank` with a blank picture of the case's destination size.
void MakeBenchPictures(const ZoomBenchCase& c, CTga& picture, CTga& blank);

// The rescale as its steps define it, with the plain reference zoom: colour planes out, each
// zoomed, both pictures re-created from planes.
void ReferenceRescale(CTga& source, CTga& destination);

// What a rescale costs apart from its arithmetic: both pictures re-created at their sizes from
// channel images made beforehand, every pixel written once. Memory that is new to the process
// makes this the floor of a rescale into a large picture.
class Recreation {
public:
    explicit Recreation(const ZoomBenchCase& c);
    Recreation(const Recreation&) = delete;
    Recreation& operator=(const Recreation&) = delete;
    ~Recreation();

    void Run();

private:
    CTga m_Source;
    CTga m_Destination;
    ChannelImage m_SourcePlanes{};
    ChannelImage m_DestinationPlanes{};
};

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
