#include "DecodeBenchCases.h"

#include "BenchPictures.h"
#include "TgaReference.h"
#include "picture/TgaDecoder.h"

#include <cstdio>
#include <optional>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

} // namespace

const std::vector<DecodeBenchCase>& DecodeBenchCases()
{
    static const std::vector<DecodeBenchCase> cases = [] {
        const std::vector<std::uint8_t> picture = MakeBenchPicture24(kWidth, kHeight);
        const std::string size = std::to_string(kWidth) + "x" + std::to_string(kHeight);
        return std::vector<DecodeBenchCase>{
            {"BM_Decode/raw24_" + size, "raw24_" + size + ".tga",
             EncodeTgaRaw24(picture, kWidth, kHeight)},
            {"BM_Decode/rle24_" + size, "rle24_" + size + ".tga",
             EncodeTgaRle24(picture, kWidth, kHeight)},
        };
    }();
    return cases;
}

std::vector<std::uint8_t> WarmPixelBuffer(const DecodeBenchCase& c)
{
    const std::optional<TgaFile> file = ReadTgaFile(c.file);
    return std::vector<std::uint8_t>(std::size_t{file->header.width} * file->header.height * 4, 1);
}

bool DecodeOurs(const DecodeBenchCase& c, std::vector<std::uint8_t>& pixels)
{
    const std::optional<TgaFile> file = ReadTgaFile(c.file);
    return file && DecodeTgaPixels(*file, pixels.data()) == TgaDecodeResult::Decoded;
}

bool DecodeReference(const DecodeBenchCase& c, std::vector<std::uint8_t>& pixels)
{
    return reference::DecodeTga(c.file, pixels.data(), pixels.size()) == TgaDecodeResult::Decoded;
}

bool DecodeMatchesReference(const DecodeBenchCase& c)
{
    std::vector<std::uint8_t> ours = WarmPixelBuffer(c);
    std::vector<std::uint8_t> theirs = WarmPixelBuffer(c);
    if (DecodeOurs(c, ours) && DecodeReference(c, theirs) && ours == theirs)
        return true;
    std::fprintf(stderr, "%s: our pixels differ from the reference's\n", c.name.c_str());
    return false;
}
