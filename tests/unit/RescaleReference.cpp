#include "RescaleReference.h"

#include "ZoomReference.h"
#include "picture/ChannelImage.h"
#include "picture/tga.h"

#include <cstdint>

namespace reference {

void Rescale(CTga& source, CTga& destination)
{
    // Not one of the named selectors: the engine's default filter.
    constexpr std::uint32_t kDefaultFilter = 5;
    ChannelImage planes{};
    ChannelImage scaled{};
    if (source.ToChannelImage(&planes) &&
        CreateChannelImage(&scaled, destination.Width(), destination.Height(), 1, 0, 0) ==
            kChannelOk) {
        for (int plane = 0; plane < 3; ++plane)
            ZoomSamples(planes.planes[plane], planes.width, planes.height, scaled.planes[plane],
                        scaled.width, scaled.height, 1, kDefaultFilter);
        destination.FromChannelImage(&scaled);
        source.FromChannelImage(&planes);
    }
    FreeChannelImage(&planes);
    FreeChannelImage(&scaled);
}

} // namespace reference
