#include "ZoomBenchCases.h"

#include "ZoomReference.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint32_t kDefaultFilter = 5;

} // namespace

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
    };
    return cases;
}

void MakeBenchPictures(const ZoomBenchCase& c, CTga& picture, CTga& blank)
{
    ChannelImage planes{};
    if (CreateChannelImage(&planes, c.width, c.height, 1, 0, 0) != kChannelOk)
        return;
    std::uint32_t noise = 12345;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const size_t p = size_t(y) * size_t(c.width) + size_t(x);
            noise = noise * 1664525u + 1013904223u;
            const bool flat = ((x / 64) + (y / 48)) % 3 == 0;
            const int grain = flat ? 0 : static_cast<int>(noise >> 29);
            planes.planes[0][p] = static_cast<std::uint8_t>(flat ? 40 : x * 255 / c.width + grain);
            planes.planes[1][p] = static_cast<std::uint8_t>(flat ? 90 : y * 255 / c.height + grain);
            planes.planes[2][p] = static_cast<std::uint8_t>(
                flat ? 160 : (x + y) * 255 / (c.width + c.height) + grain);
        }
    }
    picture.FromChannelImage(&planes);
    FreeChannelImage(&planes);
    blank.CreateBlank(c.outWidth, c.outHeight);
}

void ReferenceRescale(CTga& source, CTga& destination)
{
    ChannelImage planes{};
    ChannelImage scaled{};
    if (source.ToChannelImage(&planes) &&
        CreateChannelImage(&scaled, destination.Width(), destination.Height(), 1, 0, 0) ==
            kChannelOk) {
        for (int plane = 0; plane < 3; ++plane)
            reference::ZoomSamples(planes.planes[plane], planes.width, planes.height,
                                   scaled.planes[plane], scaled.width, scaled.height, 1,
                                   kDefaultFilter);
        destination.FromChannelImage(&scaled);
        source.FromChannelImage(&planes);
    }
    FreeChannelImage(&planes);
    FreeChannelImage(&scaled);
}

Recreation::Recreation(const ZoomBenchCase& c)
{
    MakeBenchPictures(c, m_Source, m_Destination);
    m_Source.ToChannelImage(&m_SourcePlanes);
    m_Destination.ToChannelImage(&m_DestinationPlanes);
}

Recreation::~Recreation()
{
    FreeChannelImage(&m_SourcePlanes);
    FreeChannelImage(&m_DestinationPlanes);
}

void Recreation::Run()
{
    m_Destination.FromChannelImage(&m_DestinationPlanes);
    m_Source.FromChannelImage(&m_SourcePlanes);
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
    ReferenceRescale(picture, scaled);
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
