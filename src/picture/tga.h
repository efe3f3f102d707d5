// The picture object: a 32-bit picture in a pixel section that GDI draws as it is, filled blank
// or from a TGA file.
#pragma once

#include "base/Object.h"
#include "picture/BitmapInfoHeader.h"
#include "picture/PixelSection.h"
#include "picture/TgaDecoder.h"

#include <cstdint>
#include <memory>
#include <span>

class FileContents;
struct ChannelImage;
#ifdef _WIN32
class CDC;
#endif

// A picture: empty, or a header and a pixel buffer of the header's size.
//
// The pixels are 4 bytes each (blue, green, red, fourth byte) in rows of exactly width x 4 bytes,
// stored bottom row first. The fourth byte is never drawn. In the empty state m_pInfoHeader,
// m_hDibSection and m_pBits are all null; otherwise all three are set.
class CTga : public CObject {
public:
    static constexpr CRuntimeClass classCTga{"CTga", &CObject::classCObject};

    CTga() = default;
    ~CTga() override;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCTga; }

    // Frees the header and the pixels; the header record of the last load stays.
    void Clear();
    // Replaces the contents with an all-zero picture of width x height and appends a record to the
    // picture trace file. Returns 1, or 0 with the picture left empty when no pixel buffer can be
    // had (a size of 0 or less, or more than 2^31 - 1 bytes of pixels).
    int CreatePixels(int width, int height);
    int CreateBlank(int width, int height) { return CreatePixels(width, height); }

    // Replaces the contents with the picture in a TGA file. Returns 1 when the whole picture was
    // decoded. Reports failures to the user and the trace; see the decoder for which.
    int LoadTga(const char* path);
    // The same, from a file's contents read already: empty contents are reported as an empty
    // file, and contents cut short by a read error as a file that ends there.
    int LoadTga(FileContents file);

    // Splits the picture into colour planes 0 to 2 (bytes 0 to 2 of each pixel, in the order the
    // buffer stores them); the fourth bytes stay out. Returns 0 for an empty picture or when the
    // planes cannot be had.
    int ToChannelImage(ChannelImage* image) const;
    // Re-creates the picture at the image's size from its colour planes; every fourth byte is 0.
    // Returns 0, writing nothing, when the picture cannot be re-created.
    int FromChannelImage(const ChannelImage* image);
    // Rescales this picture into `destination`, which already has its final size, with the
    // default filter. Afterwards this picture keeps its size and colours, its fourth bytes 0.
    // With nothing to scale (an empty picture on either side) or a failed step the destination
    // stays as it was.
    void RescaleInto(CTga& destination);

#ifdef _WIN32
    // Draws the whole picture stretched into the rectangle (x, y, w, h). Returns 0, drawing
    // nothing, for an empty picture.
    int Draw(CDC& dc, int x, int y, int w, int h) const;
#endif

    bool IsEmpty() const
    {
        return !m_pInfoHeader;
    }
    int Width() const
    {
        return m_pInfoHeader ? m_pInfoHeader->biWidth : 0;
    }
    int Height() const
    {
        return m_pInfoHeader ? m_pInfoHeader->biHeight : 0;
    }
    const BitmapInfoHeader* InfoHeader() const
    {
        return m_pInfoHeader.get();
    }
    const uint8_t* Bits() const
    {
        return m_pBits;
    }
    const TgaHeader& Header() const
    {
        return m_TgaHeader;
    }

private:
    TgaDecodeResult Decode(std::span<const uint8_t> bytes);
    // Appends the record that re-creating the picture at the size it has would append (as
    // CreatePixels does) and nothing else: the header and pixel buffer stay, and the caller
    // writes every pixel, so that the picture ends as it would in a new buffer.
    void TraceRecreation();

    TgaHeader m_TgaHeader{};
    PixelSection m_hDibSection;
    uint8_t* m_pBits = nullptr;
    std::unique_ptr<BitmapInfoHeader> m_pInfoHeader;
};
