// Where a TGA file's parts lie: the 18-byte header, then the image ID and the colour map that
// follow it; the pixel data runs from there to the end of the file. Read through a cursor that
// cannot pass the end, whatever the header claims.
#include "picture/ByteCursor.h"
#include "picture/TgaDecoder.h"

#include <algorithm>

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
        const uint64_t mapBytes = uint64_t{header.colourMapLength} * TgaColourMapEntryBytes(header);
        colourMap = TgaColourMap{cursor.Position(), std::min<size_t>(mapBytes, cursor.Remaining())};
        cursor.Skip(mapBytes);
    }
    return TgaFile{.header = header, .colourMap = colourMap, .pixelData = cursor};
}
