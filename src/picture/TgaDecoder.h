// The TGA decoder below the picture object: a file's header, where its parts lie, the readers of
// single pixels, and its pixel data decoded into a buffer the caller provides. The picture object
// loads files through it; the benchmarks, the picture tool and the tests call it directly.
#pragma once

#include "picture/ByteCursor.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The 18-byte header at the start of a TGA file, field by field.
struct TgaHeader {
    uint8_t idLength;
    uint8_t colourMapType; // non-zero: a colour map follows the ID field
    uint8_t imageType;     // 0 to 3 uncompressed, anything else run-length encoded
    uint16_t colourMapFirst;
    uint16_t colourMapLength;
    uint8_t colourMapEntrySize; // bits
    uint16_t xOrigin;
    uint16_t yOrigin;
    uint16_t width;
    uint16_t height;
    uint8_t pixelDepth; // bits
    uint8_t imageDescriptor;
};

inline constexpr size_t kTgaHeaderSize = 18;

// A file's colour map: the entries' bytes that are actually in the file, which may be fewer than
// the header declares when the file is cut short.
struct TgaColourMap {
    const uint8_t* entries;
    size_t size;
};

// How the decoding of a file's contents ended; LoadTga turns it into its reports and result.
enum class TgaDecodeResult {
    Decoded,
    Failed,              // reported to the user once the file is released
    CompressedDataError, // already reported on the standard error stream, and nothing more
};

// Bytes of one colour-map entry.
inline size_t TgaColourMapEntryBytes(const TgaHeader& header)
{
    return (size_t{header.colourMapEntrySize} + 7) / 8;
}

// A TGA file's header, its colour map when the header declares one, and its pixel data (which
// runs to the end of the file).
struct TgaFile {
    TgaHeader header;
    std::optional<TgaColourMap> colourMap;
    ByteCursor pixelData;
};

// Null when the file is shorter than its header.
std::optional<TgaFile> ReadTgaFile(std::span<const uint8_t> bytes);

// One stored pixel at the cursor into a 4-byte destination pixel, looked up in the colour map
// when there is one. On success the cursor moves past the pixel; on failure it stays.
bool ReadPixel8(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                const TgaHeader& header);
bool ReadPixel16(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header);
bool ReadPixel24(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header);
bool ReadPixel32(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header);

// An index outside the map gives black and succeeds; an entry size that cannot be converted,
// or an entry cut off by the end of the file, fails.
bool LookUpColourMap(uint32_t index, uint8_t* pixel, const TgaColourMap& colourMap,
                     const TgaHeader& header);

void ExpandColour16(const uint8_t* stored, uint8_t* pixel);
void ExpandColour24(const uint8_t* stored, uint8_t* pixel);
void ExpandColour32(const uint8_t* stored, uint8_t* pixel);

// Whether the pixel depth has a reader: 8, 15, 16, 24 or 32 bits.
bool CanDecodeTgaDepth(uint8_t pixelDepth);

// Decodes the pixel data of a file into a zero-filled buffer of width x height 4-byte pixels (as
// CTga::CreatePixels makes), in file order. Pixels that a failure leaves undecoded stay zero.
TgaDecodeResult DecodeTgaPixels(const TgaFile& file, uint8_t* pixels);
