// Previews of pictures as the screen shows them, written as PNG files.
#pragma once

#include <filesystem>

class CTga;

// Writes the picture's colours (rows stored bottom-up, bytes blue, green, red) as a top-down RGB
// PNG file. Returns false when the file cannot be written.
bool WritePngPreview(const CTga& picture, const std::filesystem::path& path);
