// Filling a picture from a TGA file: the 18-byte header, the image ID and colour map that follow
// it, and the readers of single pixels of 8, 15, 16, 24 or 32 bits; the loops over the pixel data
// are in TgaPixelData.cpp. The file is read whole into memory, then through a cursor that cannot
// pass its end, whatever the header claims.
#include "base/Report.h"
#include "picture/ByteCursor.h"
#include "picture/FileContents.h"
#include "picture/TgaDecoder.h"
#include "picture/tga.h"

#include <algorithm>
#include <cstring>

namespace {

TgaHeader ParseHeader(const uint8_t* bytes)
{
    return TgaHeader{
        .idLength = bytes[0],
        .colourMapType = bytes[1],
        .imageType = bytes[2],
        .colourMapFirst = ReadLe16(bytes + 3),
        .colourMapLength = ReadLe16(bytes + 5),
        .colourMapEntrySize = bytes[7],
        .xOrigin = ReadLe16(bytes + 8),
        .yOrigin = ReadLe16(bytes + 10),
        .width = ReadLe16(bytes + 12),
        .height = ReadLe16(bytes + 14),
        .pixelDepth = bytes[16],
        .imageDescriptor = bytes[17],
    };
}

size_t ColourMapEntryBytes(const TgaHeader& header)
{
    return (size_t{header.colourMapEntrySize} + 7) / 8;
}

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
    else if (!CTga::LookUpColourMap(Index(stored), pixel, *colourMap, header))
        return false;
    cursor.Advance(Bytes);
    return true;
}

} // namespace

std::optional<TgaFile> ReadTgaFile(std::span<const uint8_t> bytes)
{
    ByteCursor cursor(bytes);
    const uint8_t* headerBytes = cursor.Take(kTgaHeaderSize);
    if (!headerBytes)
        return std::nullopt;
    const TgaHeader header = ParseHeader(headerBytes);
    cursor.Skip(header.idLength);
    std::optional<TgaColourMap> colourMap;
    if (header.colourMapType != 0) {
        const uint64_t mapBytes = uint64_t{header.colourMapLength} * ColourMapEntryBytes(header);
        colourMap = TgaColourMap{cursor.Position(), std::min<size_t>(mapBytes, cursor.Remaining())};
        cursor.Skip(mapBytes);
    }
    return TgaFile{.header = header, .colourMap = colourMap, .pixelData = cursor};
}

TgaDecodeResult CTga::Decode(std::span<const uint8_t> bytes)
{
    const std::optional<TgaFile> file = ReadTgaFile(bytes);
    if (!file)
        return TgaDecodeResult::Failed;
    m_TgaHeader = file->header;
    AfxTrace("Width = %d, Height = %d", m_TgaHeader.width, m_TgaHeader.height);

    if (!CanDecodeTgaDepth(m_TgaHeader.pixelDepth)) {
        AfxTrace("Can't decode TGA - Only 8,15,16,24 and 32 bit TGA accepted. (ie not %d)\n",
                 m_TgaHeader.pixelDepth);
        return TgaDecodeResult::Failed;
    }
    // Never decode into a missing buffer: a size of 0, or too large a picture, fails here.
    if (!CreatePixels(m_TgaHeader.width, m_TgaHeader.height))
        return TgaDecodeResult::Failed;
    return DecodeTgaPixels(*file, m_pBits);
}

int CTga::LoadTga(const char* path)
{
    return LoadTga(FileContents(path));
}

int CTga::LoadTga(FileContents file)
{
    if (!file) {
        AfxMessageBox("Empty tga file");
        return 0;
    }
    const TgaDecodeResult outcome = Decode(file.Bytes());
    file = FileContents(); // the bytes are freed before a box waits for the user
    if (outcome == TgaDecodeResult::Failed) {
        AfxTrace("Error occured");
        AfxMessageBox("Failed to decode tga file");
    }
    return outcome == TgaDecodeResult::Decoded ? 1 : 0;
}

bool CTga::ReadPixel8(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
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

bool CTga::ReadPixel16(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                       const TgaHeader& header)
{
    return ReadStoredPixel<2, ExpandColour16, Index16>(cursor, pixel, colourMap, header);
}

bool CTga::ReadPixel24(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                       const TgaHeader& header)
{
    return ReadStoredPixel<3, ExpandColour24, Index24>(cursor, pixel, colourMap, header);
}

bool CTga::ReadPixel32(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                       const TgaHeader& header)
{
    return ReadStoredPixel<4, ExpandColour32, Index24>(cursor, pixel, colourMap, header);
}

bool CTga::LookUpColourMap(uint32_t index, uint8_t* pixel, const TgaColourMap& colourMap,
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
    const size_t entryBytes = ColourMapEntryBytes(header);
    const size_t offset = static_cast<size_t>(entry) * entryBytes;
    if (offset + entryBytes > colourMap.size)
        return false; // the map is cut off by the end of the file
    expand(colourMap.entries + offset, pixel);
    return true;
}

// Five bits a channel, each shifted up by 3: a full channel is 248, not 255. Bit 15 is ignored.
void CTga::ExpandColour16(const uint8_t* stored, uint8_t* pixel)
{
    const unsigned value = stored[0] | stored[1] << 8;
    pixel[0] = static_cast<uint8_t>((value & 0x1F) << 3);
    pixel[1] = static_cast<uint8_t>((value >> 5 & 0x1F) << 3);
    pixel[2] = static_cast<uint8_t>((value >> 10 & 0x1F) << 3);
    pixel[3] = 0;
}

void CTga::ExpandColour24(const uint8_t* stored, uint8_t* pixel)
{
    pixel[0] = stored[0];
    pixel[1] = stored[1];
    pixel[2] = stored[2];
    pixel[3] = 0;
}

void CTga::ExpandColour32(const uint8_t* stored, uint8_t* pixel)
{
    std::memcpy(pixel, stored, 4);
}
