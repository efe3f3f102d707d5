// Filling a picture from a TGA file: the file is read whole into memory, its header accepted, and
// its pixel data decoded into the picture's buffer by the decoder (TgaDecoder.h).
#include "base/Report.h"
#include "picture/FileContents.h"
#include "picture/TgaDecoder.h"
#include "picture/tga.h"

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
