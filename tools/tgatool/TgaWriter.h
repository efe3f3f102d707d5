// Writes a picture as an uncompressed 32-bit TGA file.
#pragma once

#include <system_error>

class CTga;

// Rows are written as the picture stores them (bottom row first, as the header says) and every
// pixel's fourth byte as it is. Returns the system's error when the file cannot be written, and
// then leaves no file (see WriteWholeFile).
std::error_code WriteTga32(const CTga& picture, const char* path);
