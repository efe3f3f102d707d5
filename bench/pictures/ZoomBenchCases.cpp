#include "ZoomBenchCases.h"

#include "BenchPictures.h"
#include "RescaleReference.h"
#include "picture/ChannelImage.h"

#include <cstdint>
#include <cstdio>

std::string ZoomBenchCase::Name() const
{
    return std::string(family) + "/" + std::to_string(width) + "x" + std::to_string(height) +
           "_to_" + std::to_string(outWidth) + "x" + std::to_string(outHeight);
}

const std::vector<ZoomBenchCase>& ZoomBenchCases()
{
    static const std::vector<ZoomBenchCase> cases = {
        {"BM_Rescale", 1920, 1080, 378, 244},
        {"BM_Rescale", 640, 480, 378, 244},
        {"BM_Enlarge", 320, 200, 1920, 1080},
        {"BM_Enlarge", 1920, 1080, 7680, 4320},
    };
    return cases;
}

void MakeBenchPictures(const ZoomBenchCase& c, CTga& picture, CTga& blank)
{
    ChannelImage planes{};
    if (CreateChannelImage(&planes, c.width, c.height, 1, 0, 0) != kChannelOk)
        return;
    const std::vector<std::uint8_t> bgr = MakeBenchPicture24(c.width, c.height);
    for (size_t p = 0; p < size_t(c.width) * size_t(c.height); ++p)
        for (int plane = 0; plane < 3; ++plane)
            planes.planes[plane][p] = bgr[3 * p + size_t(plane)];
    picture.FromChannelImage(&planes);
    FreeChannelImage(&planes);
    blank.CreateBlank(c.outWidth, c.outHeight);
}

namespace {

std::vector<unsigned char> BytesOf(const CTga& picture)
{
    if (picture.IsEmpty())
        return {};
    return {picture.Bits(),
            picture.Bits() + size_t(picture.Width()) * size_t(picture.Height()) * 4};
}

} // namespace

RescaleResult ReferenceResult(const ZoomBenchCase& c)
{
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    reference::Rescale(picture, scaled);
    return {BytesOf(picture), BytesOf(scaled)};
}

RescaleResult EngineResult(const ZoomBenchCase& c)
{
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    picture.RescaleInto(scaled);
    return {BytesOf(picture), BytesOf(scaled)};
}

bool MatchesReference(const ZoomBenchCase& c, const RescaleResult& reference)
{
    const bool same = !reference.scaled.empty() && EngineResult(c) == reference;
    if (!same)
        std::fprintf(stderr, "%s: the engine's pictures differ from the reference's\n",
                     c.Name().c_str());
    return same;
}
