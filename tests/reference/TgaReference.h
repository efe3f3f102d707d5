// A plain TGA decoder, written as literally as the format's rules read and sharing no code with
// the picture's decoder, so that any faster decoder can be checked against it byte for byte: one
// reader chosen per file and called once per stored pixel, every read checked against the end
// of the file byte by byte.
#pragma once

#include "picture/tga.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace reference {

// Decodes the file's pixels into `pixels`, which holds `pixelBytes` bytes and is written only
// where a pixel is decoded. Reports what the picture's decoder reports from its pixel data on.
// Fails without writing when the file is shorter than its header, its depth has no reader or the
// buffer is smaller than width x height x 4 bytes.
TgaDecodeResult DecodeTga(std::span<const std::uint8_t> file, std::uint8_t* pixels,
                          std::size_t pixelBytes);

} // namespace reference
