#include "picture/PictureTrace.h"

#include <cstdio>
#include <utility>

namespace {

std::string& TraceFile()
{
    static std::string path = "C:\\debug.err";
    return path;
}

void WriteLe32(std::FILE* file, uint32_t value)
{
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::fwrite(bytes, 1, sizeof bytes, file);
}

uint32_t Low32(const void* address)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
}

} // namespace

void SetPictureTraceFile(std::string path)
{
    TraceFile() = std::move(path);
}

const std::string& PictureTraceFile()
{
    return TraceFile();
}

void AppendPictureTrace(const void* bits, const void* header, int32_t width, int32_t height)
{
    if (TraceFile().empty())
        return;
    std::FILE* file = std::fopen(TraceFile().c_str(), "a+b");
    if (!file)
        return;
    WriteLe32(file, Low32(bits));
    WriteLe32(file, Low32(header));
    WriteLe32(file, static_cast<uint32_t>(width));
    WriteLe32(file, static_cast<uint32_t>(height));
    std::fclose(file);
}
