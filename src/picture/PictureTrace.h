// The picture trace file: one 16-byte record per pixel buffer created, four little-endian 32-bit
// words (pixel address, header address, width, height). Nothing reads it; it is kept because the
// system has always left it behind.
#pragma once

#include <cstdint>
#include <string>

// "C:\debug.err" unless changed; an empty path writes no records. Native programs point it
// somewhere harmless, since the default is a plain file name in the current directory there.
void SetPictureTraceFile(std::string path);
const std::string& PictureTraceFile();

// Appends one record; addresses wider than 32 bits are cut to their low 32 bits. A file that
// cannot be opened is skipped silently.
void AppendPictureTrace(const void* bits, const void* header, int32_t width, int32_t height);
