// A plain zoom, written as literally as the algorithm reads and sharing no code with the engine,
// so that any faster engine can be checked against it byte for byte.
#pragma once

#include <cstdint>

namespace reference {

// Same contract as the engine's ZoomSamples: the selector picks nearest neighbour (2), nothing
// (1) or a filter; zero or negative sizes read and write nothing.
void ZoomSamples(const std::uint8_t* src, int srcWidth, int srcHeight, std::uint8_t* dst,
                 int dstWidth, int dstHeight, int channels, std::uint32_t selector);

} // namespace reference
