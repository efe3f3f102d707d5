// The TGA decoder below the picture object: where a file's parts lie, and its pixel data decoded
// into a buffer the caller provides. The picture object loads files through it; the benchmarks
// and tests call it directly.
#pragma once

#include "picture/ByteCursor.h"
#include "picture/tga.h"

#include <cstdint>
#include <optional>
#include <span>

// A TGA file's header, its colour map when the header declares one, and its pixel data (which
// runs to the end of the file).
struct TgaFile {
    TgaHeader header;
    std::optional<TgaColourMap> colourMap;
    ByteCursor pixelData;
};

// Null when the file is shorter than its header.
std::optional<TgaFile> ReadTgaFile(std::span<const uint8_t> bytes);

// Whether the pixel depth has a reader: 8, 15, 16, 24 or 32 bits.
bool CanDecodeTgaDepth(uint8_t pixelDepth);

// Decodes the pixel data of a file into a zero-filled buffer of width x height 4-byte pixels (as
// CTga::CreatePixels makes), in file order. Pixels that a failure leaves undecoded stay zero.
TgaDecodeResult DecodeTgaPixels(const TgaFile& file, uint8_t* pixels);
