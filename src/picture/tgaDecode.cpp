// Filling a picture from a TGA file: the 18-byte header, the image ID and colour map that follow
// it, then uncompressed or run-length-encoded pixels of 8, 15, 16, 24 or 32 bits. The file is
// read where it lies, through a cursor that cannot pass its end, whatever the header claims.
#include "framework/Report.h"
#include "picture/ByteCursor.h"
#include "picture/FileView.h"
#include "picture/tga.h"

#include <algorithm>
#include <bit>
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

template <size_t Bytes, ExpandColour Expand>
void ExpandRow(const uint8_t* stored, uint8_t* pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        Expand(stored + i * Bytes, pixels + i * 4);
}

void Expand32Row(const uint8_t* stored, uint8_t* pixels, size_t count)
{
    std::memcpy(pixels, stored, count * 4);
}

uint32_t LoadLe32(const uint8_t* bytes)
{
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t value = 0;
        std::memcpy(&value, bytes, 4);
        return value;
    }
    return bytes[0] | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void StoreLe32(uint8_t* bytes, uint32_t value)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, &value, 4);
        return;
    }
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The most common depth gets word-wise conversion: 4 stored pixels are three 32-bit words.
void Expand24Row(const uint8_t* stored, uint8_t* pixels, size_t count)
{
    size_t i = 0;
    for (; i + 4 <= count; i += 4, stored += 12, pixels += 16) {
        const uint32_t w0 = LoadLe32(stored);
        const uint32_t w1 = LoadLe32(stored + 4);
        const uint32_t w2 = LoadLe32(stored + 8);
        StoreLe32(pixels, w0 & 0xFFFFFF);
        StoreLe32(pixels + 4, (w0 >> 24 | w1 << 8) & 0xFFFFFF);
        StoreLe32(pixels + 8, (w1 >> 16 | w2 << 16) & 0xFFFFFF);
        StoreLe32(pixels + 12, w2 >> 8);
    }
    for (; i < count; ++i, stored += 3, pixels += 4)
        CTga::ExpandColour24(stored, pixels);
}

// What the decoder needs to know about one pixel depth, chosen once per file.
struct Depth8 { // always looked up in the colour map, pixel by pixel
    static constexpr auto Read = CTga::ReadPixel8;
    static constexpr void (*kExpandRow)(const uint8_t*, uint8_t*, size_t) = nullptr;
};
struct Depth16 {
    static constexpr size_t kBytes = 2;
    static constexpr auto Read = ReadStoredPixel<2, CTga::ExpandColour16, Index16>;
    static constexpr auto kExpandRow = ExpandRow<2, CTga::ExpandColour16>;
};
struct Depth24 {
    static constexpr size_t kBytes = 3;
    static constexpr auto Read = ReadStoredPixel<3, CTga::ExpandColour24, Index24>;
    static constexpr auto kExpandRow = Expand24Row;
};
struct Depth32 {
    static constexpr size_t kBytes = 4;
    static constexpr auto Read = ReadStoredPixel<4, CTga::ExpandColour32, Index24>;
    static constexpr auto kExpandRow = Expand32Row;
};

// Reads count stored pixels one after another. Without a colour map, when all of them are in
// the file, they are converted in one go; otherwise pixel by pixel, so that a file cut short
// leaves every whole pixel before its end decoded.
template <class Depth>
bool ReadPixels(ByteCursor& cursor, uint8_t* pixels, size_t count, const TgaColourMap* colourMap,
                const TgaHeader& header)
{
    if constexpr (Depth::kExpandRow != nullptr) {
        if (!colourMap && cursor.Remaining() >= count * Depth::kBytes) {
            Depth::kExpandRow(cursor.Take(count * Depth::kBytes), pixels, count);
            return true;
        }
    }
    for (size_t i = 0; i < count; ++i)
        if (!Depth::Read(cursor, pixels + i * 4, colourMap, header))
            return false;
    return true;
}

void RepeatPixel(uint8_t* pixel, size_t copies)
{
    for (size_t i = 1; i <= copies; ++i)
        std::memcpy(pixel + i * 4, pixel, 4);
}

template <class Depth>
TgaDecodeResult DecodeUncompressed(ByteCursor& cursor, uint8_t* pixels, size_t width, size_t height,
                                   const TgaColourMap* colourMap, const TgaHeader& header)
{
    for (size_t row = 0; row < height; ++row, pixels += width * 4)
        if (!ReadPixels<Depth>(cursor, pixels, width, colourMap, header))
            return TgaDecodeResult::Failed;
    return TgaDecodeResult::Decoded;
}

// Packets never span rows: one that would run past the end of its row is an error in the data.
template <class Depth>
TgaDecodeResult DecodeRunLength(ByteCursor& cursor, uint8_t* pixels, size_t width, size_t height,
                                const TgaColourMap* colourMap, const TgaHeader& header)
{
    for (size_t row = 0; row < height; ++row, pixels += width * 4) {
        for (size_t done = 0; done < width;) {
            const uint8_t* packet = cursor.Take(1);
            if (!packet)
                return TgaDecodeResult::Failed;
            const size_t count = (*packet & 0x7Fu) + 1;
            if (done + count > width) {
                ReportToStdErr("Error in compressed data.\n");
                return TgaDecodeResult::CompressedDataError;
            }
            uint8_t* first = pixels + done * 4;
            if (*packet & 0x80) {
                // A run converts its colour once and repeats the converted pixel.
                if (!Depth::Read(cursor, first, colourMap, header))
                    return TgaDecodeResult::Failed;
                RepeatPixel(first, count - 1);
            } else if (!ReadPixels<Depth>(cursor, first, count, colourMap, header)) {
                return TgaDecodeResult::Failed;
            }
            done += count;
        }
    }
    return TgaDecodeResult::Decoded;
}

template <class Depth>
TgaDecodeResult DecodePixels(ByteCursor& cursor, uint8_t* pixels, const TgaColourMap* colourMap,
                             const TgaHeader& header)
{
    const auto decode = header.imageType <= 3 ? DecodeUncompressed<Depth> : DecodeRunLength<Depth>;
    return decode(cursor, pixels, header.width, header.height, colourMap, header);
}

using PixelDecoder = TgaDecodeResult (*)(ByteCursor&, uint8_t*, const TgaColourMap*,
                                         const TgaHeader&);

PixelDecoder ChooseDecoder(uint8_t pixelDepth)
{
    switch (pixelDepth) {
    case 8:
        return DecodePixels<Depth8>;
    case 15:
    case 16:
        return DecodePixels<Depth16>;
    case 24:
        return DecodePixels<Depth24>;
    case 32:
        return DecodePixels<Depth32>;
    default:
        return nullptr;
    }
}

} // namespace

TgaDecodeResult CTga::Decode(ByteCursor& cursor)
{
    const uint8_t* headerBytes = cursor.Take(kTgaHeaderSize);
    if (!headerBytes)
        return TgaDecodeResult::Failed;
    m_TgaHeader = ParseHeader(headerBytes);
    AfxTrace("Width = %d, Height = %d", m_TgaHeader.width, m_TgaHeader.height);

    cursor.Skip(m_TgaHeader.idLength);
    TgaColourMap colourMap{};
    if (m_TgaHeader.colourMapType != 0) {
        const uint64_t mapBytes =
            uint64_t{m_TgaHeader.colourMapLength} * ColourMapEntryBytes(m_TgaHeader);
        colourMap = {cursor.Position(), std::min<size_t>(mapBytes, cursor.Remaining())};
        cursor.Skip(mapBytes);
    }

    const PixelDecoder decode = ChooseDecoder(m_TgaHeader.pixelDepth);
    if (!decode) {
        AfxTrace("Can't decode TGA - Only 8,15,16,24 and 32 bit TGA accepted. (ie not %d)\n",
                 m_TgaHeader.pixelDepth);
        return TgaDecodeResult::Failed;
    }
    // Never decode into a missing buffer: a size of 0, or too large a picture, fails here.
    if (!CreatePixels(m_TgaHeader.width, m_TgaHeader.height))
        return TgaDecodeResult::Failed;
    return decode(cursor, m_pBits, m_TgaHeader.colourMapType != 0 ? &colourMap : nullptr,
                  m_TgaHeader);
}

int CTga::LoadTga(const char* path)
{
    TgaDecodeResult outcome = TgaDecodeResult::Failed;
    {
        const FileView file(path);
        if (!file) {
            AfxMessageBox("Empty tga file");
            return 0;
        }
        ByteCursor cursor(file.Bytes());
        outcome = Decode(cursor);
        if (outcome == TgaDecodeResult::Failed)
            AfxTrace("Error occured");
    } // the file is released before a box waits for the user
    if (outcome == TgaDecodeResult::Failed)
        AfxMessageBox("Failed to decode tga file");
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
    return Depth16::Read(cursor, pixel, colourMap, header);
}

bool CTga::ReadPixel24(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                       const TgaHeader& header)
{
    return Depth24::Read(cursor, pixel, colourMap, header);
}

bool CTga::ReadPixel32(ByteCursor& cursor, uint8_t* pixel, const TgaColourMap* colourMap,
                       const TgaHeader& header)
{
    return Depth32::Read(cursor, pixel, colourMap, header);
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
