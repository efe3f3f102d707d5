// Previews of pictures as the screen shows them, written as PNG files.
#pragma once

#include <filesystem>
#include <system_error>

class CTga;

// Writes the picture's colours (rows stored bottom-up, bytes blue, green, red) as a top-down RGB
// PNG file, whole or not at all, and never through a link or into a device that is there (see
// WriteWholeFile). Returns the system's error when the file cannot be written.
std::error_code WritePngPreview(const CTga& picture, const std::filesystem::path& path);
