// Writes a picture as an uncompressed 32-bit TGA file.
#pragma once

class CTga;

// Rows are written as the picture stores them (bottom row first, as the header says) and every
// pixel's fourth byte as it is. Returns false when the file cannot be written.
bool WriteTga32(const CTga& picture, const char* path);
