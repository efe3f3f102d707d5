// Decoding TGA pixel data, uncompressed or run-length encoded. Without a colour map, stored
// pixels are converted as many at a time as the file holds and runs are filled with wide stores;
// with one, each pixel is looked up on its own. Bounds are checked once per packet, or once for
// all of an uncompressed picture, and a file cut short still gets every whole pixel before its
// end decoded, as reading pixel by pixel would.
#include "base/Report.h"
#include "picture/ProcessorFeatures.h"
#include "picture/TgaDecoder.h"
#include "picture/TgaRows.h"

#include <algorithm>
#include <cstring>

namespace {

using tga_rows::RowSet;

// The widest row loops at or below the level in use: there are none for AVX2.
const RowSet& RowsInUse()
{
    switch (InstructionSetInUse()) {
#ifdef LUMBREL_X86
    case InstructionSet::Avx2:
    case InstructionSet::Ssse3:
        return tga_rows::Ssse3Rows();
    case InstructionSet::Sse2:
        return tga_rows::Sse2Rows();
#endif
    default:
        return tga_rows::PortableRows();
    }
}

// One file's decoding: where it reads, what it looks pixels up in, and the loops it uses.
struct Decoding {
    ByteCursor cursor;
    const TgaColourMap* colourMap;
    const TgaHeader& header;
    const RowSet& rows;
};

// Below this many pixels, a packet is converted by plain code: vectors would not pay for the call
// that chooses them.
constexpr size_t kShortPacket = 16;

// What the decoder needs to know about one pixel depth, chosen once per file.
struct Depth8 { // always looked up in the colour map, pixel by pixel
    static constexpr auto kReadPixel = ReadPixel8;
    static constexpr bool kConvertsMany = false;
};
struct Depth16 {
    static constexpr size_t kBytes = 2;
    static constexpr auto kReadPixel = ReadPixel16;
    static constexpr bool kConvertsMany = true;
    static void ConvertMany(const RowSet& /*rows*/, const uint8_t* stored, uint8_t* pixels,
                            size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            ExpandColour16(stored + i * 2, pixels + i * 4);
    }
};
struct Depth24 {
    static constexpr size_t kBytes = 3;
    static constexpr auto kReadPixel = ReadPixel24;
    static constexpr bool kConvertsMany = true;
    static void ConvertMany(const RowSet& rows, const uint8_t* stored, uint8_t* pixels,
                            size_t count)
    {
        if (count < kShortPacket)
            tga_rows::PortableExpand24(stored, pixels, count);
        else
            rows.expand24(stored, pixels, count);
    }
    static constexpr auto kRunLength = &RowSet::runLength24;
};
struct Depth32 {
    static constexpr size_t kBytes = 4;
    static constexpr auto kReadPixel = ReadPixel32;
    static constexpr bool kConvertsMany = true;
    static void ConvertMany(const RowSet& /*rows*/, const uint8_t* stored, uint8_t* pixels,
                            size_t count)
    {
        std::memcpy(pixels, stored, count * 4);
    }
};

// Reads count stored pixels one after another. Fails once the file ends before the last of them,
// leaving every whole pixel before its end decoded.
template <class Depth> bool ReadPixels(Decoding& decoding, uint8_t* pixels, size_t count)
{
    ByteCursor& cursor = decoding.cursor;
    if constexpr (Depth::kConvertsMany) {
        if (!decoding.colourMap) {
            const size_t whole = std::min(count, cursor.Remaining() / Depth::kBytes);
            Depth::ConvertMany(decoding.rows, cursor.Take(whole * Depth::kBytes), pixels, whole);
            return whole == count;
        }
    }
    for (size_t i = 0; i < count; ++i)
        if (!Depth::kReadPixel(cursor, pixels + i * 4, decoding.colourMap, decoding.header))
            return false;
    return true;
}

// Rows follow one another without padding, so the whole picture is one run of pixels.
template <class Depth> TgaDecodeResult DecodeUncompressed(Decoding& decoding, uint8_t* pixels)
{
    const size_t count = size_t{decoding.header.width} * decoding.header.height;
    return ReadPixels<Depth>(decoding, pixels, count) ? TgaDecodeResult::Decoded
                                                      : TgaDecodeResult::Failed;
}

// Decodes the row's packets that the instruction set's loop can take without checks of its own,
// where the depth has such a loop; returns the pixels of the row done.
template <class Depth> size_t DecodeRoomyPackets(Decoding& decoding, uint8_t* row)
{
    if constexpr (requires { Depth::kRunLength; }) {
        if (!decoding.colourMap) {
            ByteCursor& cursor = decoding.cursor;
            const uint8_t* const start = cursor.Position();
            const uint8_t* stored = start;
            const size_t done = (decoding.rows.*Depth::kRunLength)(
                stored, start + cursor.Remaining(), row, decoding.header.width);
            cursor.Advance(static_cast<size_t>(stored - start));
            return done;
        }
    }
    return 0;
}

// Packets never span rows: one that would run past the end of its row is an error in the data.
template <class Depth> TgaDecodeResult DecodeRunLength(Decoding& decoding, uint8_t* pixels)
{
    const size_t width = decoding.header.width;
    for (size_t row = 0; row < decoding.header.height; ++row, pixels += width * 4) {
        for (size_t done = DecodeRoomyPackets<Depth>(decoding, pixels); done < width;) {
            const uint8_t* packet = decoding.cursor.Take(1);
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
                if (!ReadPixels<Depth>(decoding, first, 1))
                    return TgaDecodeResult::Failed;
                if (count <= kShortPacket)
                    tga_rows::PortableRepeat(first, first + 4, count - 1);
                else
                    decoding.rows.repeat(first, first + 4, count - 1);
            } else if (!ReadPixels<Depth>(decoding, first, count)) {
                return TgaDecodeResult::Failed;
            }
            done += count;
        }
    }
    return TgaDecodeResult::Decoded;
}

template <class Depth> TgaDecodeResult DecodeDepth(Decoding& decoding, uint8_t* pixels)
{
    return decoding.header.imageType <= 3 ? DecodeUncompressed<Depth>(decoding, pixels)
                                          : DecodeRunLength<Depth>(decoding, pixels);
}

using PixelDecoder = TgaDecodeResult (*)(Decoding&, uint8_t*);

PixelDecoder ChooseDecoder(uint8_t pixelDepth)
{
    switch (pixelDepth) {
    case 8:
        return DecodeDepth<Depth8>;
    case 15:
    case 16:
        return DecodeDepth<Depth16>;
    case 24:
        return DecodeDepth<Depth24>;
    case 32:
        return DecodeDepth<Depth32>;
    default:
        return nullptr;
    }
}

} // namespace

bool CanDecodeTgaDepth(uint8_t pixelDepth)
{
    return ChooseDecoder(pixelDepth) != nullptr;
}

TgaDecodeResult DecodeTgaPixels(const TgaFile& file, uint8_t* pixels)
{
    const PixelDecoder decode = ChooseDecoder(file.header.pixelDepth);
    if (!decode)
        return TgaDecodeResult::Failed;
    Decoding decoding{
        .cursor = file.pixelData,
        .colourMap = file.colourMap ? &*file.colourMap : nullptr,
        .header = file.header,
        .rows = RowsInUse(),
    };
    return decode(decoding, pixels);
}
