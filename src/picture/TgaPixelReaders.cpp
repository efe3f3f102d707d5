// The readers of single stored pixels of 8, 15, 16, 24 or 32 bits, with or without a colour map.
// The loops over a file's pixel data (TgaPixelData.cpp) use them wherever a pixel is looked up in
// the map or the file may end inside a pixel.
#include "base/Report.h"
#include "picture/ByteCursor.h"
#include "picture/TgaDecoder.h"

#include <cstring>

namespace {

// Colour-map indexes are formed with the first stored byte as the most significant.
uint32_t Index8(const uint8_t* stored)
{
    return stored[0];
}
uint32_t Index16(const uint8_t* stored)
{
    return uint32_t{stored[0]} << 8 | stored[1];
}
uint32_t Index24(const uint8_t* stored)
{
    return uint32_t{stored[0]} << 16 | uint32_t{stored[1]} << 8 | stored[2];
}

using ExpandColour = void (*)(const uint8_t* stored, uint8_t* pixel);
using ColourIndex = uint32_t (*)(const uint8_t* stored);

template <size_t Bytes, ExpandColour Expand, ColourIndex Index>
bool ReadStoredPixel(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                     const TgaHeader& header)
{
    const uint8_t* stored = cursor.Peek(Bytes);
    if (!stored)
        return false;
    if (!colourMap)
        Expand(stored, pixel);
    else if (!LookUpColourMap(Index(stored), pixel, *colourMap, header))
        return false;
    cursor.Advance(Bytes);
    return true;
}

} // namespace

bool ReadPixel8(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                const TgaHeader& header)
{
    if (!colourMap) {
        AfxTrace("Can't decode 8 bit / pixel image without a palette.\n");
        return false;
    }
    const uint8_t* stored = cursor.Peek(1);
    if (!stored || !LookUpColourMap(Index8(stored), pixel, *colourMap, header))
        return false;
    cursor.Advance(1);
    return true;
}

bool ReadPixel16(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header)
{
    return ReadStoredPixel<2, ExpandColour16, Index16>(cursor, pixel, colourMap, header);
}

bool ReadPixel24(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header)
{
    return ReadStoredPixel<3, ExpandColour24, Index24>(cursor, pixel, colourMap, header);
}

bool ReadPixel32(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                 const TgaHeader& header)
{
    return ReadStoredPixel<4, ExpandColour32, Index24>(cursor, pixel, colourMap, header);
}

bool LookUpColourMap(uint32_t index, uint8_t* pixel, const TgaColourMap& colourMap,
                     const TgaHeader& header)
{
    const int64_t entry = int64_t{index} - header.colourMapFirst;
    if (entry < 0 || entry >= header.colourMapLength) {
        std::memset(pixel, 0, 4);
        return true;
    }
    ExpandColour expand = nullptr;
    switch (header.colourMapEntrySize) {
    case 15:
    case 16:
        expand = ExpandColour16;
        break;
    case 24:
        expand = ExpandColour24;
        break;
    case 32:
        expand = ExpandColour32;
        break;
    default:
        ReportToStdErr("Can't decode palette of depth %d bits per pixel.\n",
                       header.colourMapEntrySize);
        return false;
    }
    const size_t entryBytes = TgaColourMapEntryBytes(header);
    const size_t offset = static_cast<size_t>(entry) * entryBytes;
    if (offset + entryBytes > colourMap.size)
        return false; // the map is cut off by the end of the file
    expand(colourMap.entries + offset, pixel);
    return true;
}

// Five bits a channel, each shifted up by 3: a full channel is 248, not 255. Bit 15 is ignored.
void ExpandColour16(const uint8_t* stored, uint8_t* pixel)
{
    const unsigned value = stored[0] | stored[1] << 8;
    pixel[0] = static_cast<uint8_t>((value & 0x1F) << 3);
    pixel[1] = static_cast<uint8_t>((value >> 5 & 0x1F) << 3);
    pixel[2] = static_cast<uint8_t>((value >> 10 & 0x1F) << 3);
    pixel[3] = 0;
}

void ExpandColour24(const uint8_t* stored, uint8_t* pixel)
{
    pixel[0] = stored[0];
    pixel[1] = stored[1];
    pixel[2] = stored[2];
    pixel[3] = 0;
}

void ExpandColour32(const uint8_t* stored, uint8_t* pixel)
{
    std::memcpy(pixel, stored, 4);
}
