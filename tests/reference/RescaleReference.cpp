#include "RescaleReference.h"

#include "ZoomReference.h"
#include "picture/ChannelImage.h"
#include "picture/ZoomEngine.h"
#include "picture/tga.h"

#include <cstdint>

namespace reference {

void Rescale(CTga& source, CTga& destination)
{
    ChannelImage planes{};
    ChannelImage scaled{};
    if (source.ToChannelImage(&planes) &&
        CreateChannelImage(&scaled, destination.Width(), destination.Height(), 1, 0, 0) ==
            kChannelOk) {
        for (int plane = 0; plane < 3; ++plane)
            reference::ZoomSamples(planes.planes[plane], planes.width, planes.height,
                                   scaled.planes[plane], scaled.width, scaled.height, 1,
                                   kZoomRescaleSelector);
        destination.FromChannelImage(&scaled);
        source.FromChannelImage(&planes);
    }
    FreeChannelImage(&planes);
    FreeChannelImage(&scaled);
}

} // namespace reference
