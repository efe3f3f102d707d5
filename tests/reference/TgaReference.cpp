#include "TgaReference.h"

#include "base/Report.h"

#include <algorithm>
#include <cstring>

namespace reference {
namespace {

struct Header {
    unsigned idLength, mapType, imageType, mapFirst, mapLength, mapEntryBits;
    unsigned width, height, depth;
};

// The file and a reading position in it.
struct Reader {
    const std::uint8_t* file;
    std::size_t size;
    std::size_t position;
    std::size_t mapStart;
    bool hasMap;
    Header header;

    bool Has(std::size_t n) const { return position <= size && n <= size - position; }
};

unsigned Le16(const std::uint8_t* bytes)
{
    return bytes[0] + 256u * bytes[1];
}

void Colour16(const std::uint8_t* s, std::uint8_t* p)
{
    p[0] = static_cast<std::uint8_t>((s[0] & 0x1F) * 8);
    p[1] = static_cast<std::uint8_t>((((s[1] & 0x03) * 8) | (s[0] >> 5)) * 8);
    p[2] = static_cast<std::uint8_t>((s[1] & 0x7C) * 2);
    p[3] = 0;
}

void Colour24(const std::uint8_t* s, std::uint8_t* p)
{
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
    p[3] = 0;
}

void Colour32(const std::uint8_t* s, std::uint8_t* p)
{
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
    p[3] = s[3];
}

bool LookUp(const Reader& reader, long index, std::uint8_t* pixel)
{
    const Header& h = reader.header;
    const long entry = index - static_cast<long>(h.mapFirst);
    if (entry < 0 || entry >= static_cast<long>(h.mapLength)) {
        pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0;
        return true;
    }
    void (*colour)(const std::uint8_t*, std::uint8_t*) = nullptr;
    if (h.mapEntryBits == 15 || h.mapEntryBits == 16)
        colour = Colour16;
    else if (h.mapEntryBits == 24)
        colour = Colour24;
    else if (h.mapEntryBits == 32)
        colour = Colour32;
    if (!colour) {
        ReportToStdErr("Can't decode palette of depth %d bits per pixel.\n", h.mapEntryBits);
        return false;
    }
    const std::size_t entryBytes = (h.mapEntryBits + 7) / 8;
    const std::size_t at = reader.mapStart + static_cast<std::size_t>(entry) * entryBytes;
    for (std::size_t i = 0; i < entryBytes; ++i)
        if (at + i >= reader.size)
            return false;
    colour(reader.file + at, pixel);
    return true;
}

// A reader of `bytes` stored bytes: the colour itself, or an index into the map with the first
// stored byte the most significant (of at most three).
template <int Bytes, void (*Colour)(const std::uint8_t*, std::uint8_t*)>
bool ReadPixel(Reader& reader, std::uint8_t* pixel)
{
    for (int i = 0; i < Bytes; ++i)
        if (!reader.Has(i + 1))
            return false;
    const std::uint8_t* stored = reader.file + reader.position;
    if (reader.hasMap) {
        constexpr int kIndexBytes = std::min(Bytes, 3);
        long index = 0;
        for (int i = 0; i < kIndexBytes; ++i)
            index = index * 256 + stored[i];
        if (!LookUp(reader, index, pixel))
            return false;
    } else {
        Colour(stored, pixel);
    }
    reader.position += Bytes;
    return true;
}

bool ReadPixel8(Reader& reader, std::uint8_t* pixel)
{
    if (!reader.hasMap) {
        AfxTrace("Can't decode 8 bit / pixel image without a palette.\n");
        return false;
    }
    if (!reader.Has(1) || !LookUp(reader, reader.file[reader.position], pixel))
        return false;
    reader.position += 1;
    return true;
}

} // namespace

TgaDecodeResult DecodeTga(std::span<const std::uint8_t> file, std::uint8_t* pixels,
                          std::size_t pixelBytes)
{
    if (file.size() < 18)
        return TgaDecodeResult::Failed;
    const std::uint8_t* h = file.data();
    Reader reader{.file = file.data(),
                  .size = file.size(),
                  .position = 18,
                  .mapStart = 0,
                  .hasMap = h[1] != 0,
                  .header = {h[0], h[1], h[2], Le16(h + 3), Le16(h + 5), h[7], Le16(h + 12),
                             Le16(h + 14), h[16]}};
    const Header& header = reader.header;
    reader.position += header.idLength;
    reader.mapStart = reader.position;
    if (reader.hasMap)
        reader.position += std::size_t{header.mapLength} * ((header.mapEntryBits + 7) / 8);

    bool (*read)(Reader&, std::uint8_t*) = nullptr;
    if (header.depth == 8)
        read = ReadPixel8;
    else if (header.depth == 15 || header.depth == 16)
        read = ReadPixel<2, Colour16>;
    else if (header.depth == 24)
        read = ReadPixel<3, Colour24>;
    else if (header.depth == 32)
        read = ReadPixel<4, Colour32>;
    if (!read || std::size_t{header.width} * header.height * 4 > pixelBytes)
        return TgaDecodeResult::Failed;

    std::uint8_t* out = pixels;
    if (header.imageType <= 3) {
        for (unsigned y = 0; y < header.height; ++y)
            for (unsigned x = 0; x < header.width; ++x, out += 4)
                if (!read(reader, out))
                    return TgaDecodeResult::Failed;
        return TgaDecodeResult::Decoded;
    }
    for (unsigned y = 0; y < header.height; ++y) {
        for (std::size_t k = 0; k < header.width;) {
            if (!reader.Has(1))
                return TgaDecodeResult::Failed;
            const unsigned packet = reader.file[reader.position++];
            const std::size_t n = (packet & 0x7F) + 1;
            if (k + n > header.width) {
                ReportToStdErr("Error in compressed data.\n");
                return TgaDecodeResult::CompressedDataError;
            }
            if (packet & 0x80) {
                if (!read(reader, out))
                    return TgaDecodeResult::Failed;
                for (std::size_t i = 1; i < n; ++i)
                    std::memcpy(out + 4 * i, out, 4);
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    if (!read(reader, out + 4 * i))
                        return TgaDecodeResult::Failed;
            }
            out += 4 * n;
            k += n;
        }
    }
    return TgaDecodeResult::Decoded;
}

} // namespace reference
