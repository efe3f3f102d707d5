#include "TgaWriter.h"

#include "common/OutputFile.h"
#include "picture/tga.h"

#include <cstdint>

std::error_code WriteTga32(const CTga& picture, const char* path)
{
    const auto width = static_cast<uint16_t>(picture.Width());
    const auto height = static_cast<uint16_t>(picture.Height());
    const uint8_t header[18] = {
        0,
        0,
        2, // no ID, no colour map, uncompressed true colour
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0, // origin
        static_cast<uint8_t>(width),
        static_cast<uint8_t>(width >> 8),
        static_cast<uint8_t>(height),
        static_cast<uint8_t>(height >> 8),
        32,
        8, // 8 attribute bits, bottom-left origin
    };
    const size_t pixelBytes = size_t{width} * size_t{height} * 4;
    return WriteWholeFile(path, {header, {picture.Bits(), pixelBytes}},
                          SpecialOutput::WrittenInPlace);
}
