// Test pictures for the benchmarks: made here, written as TGA files into a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A 24-bit picture, 3 bytes a pixel (blue, green, red), rows bottom-up as TGA stores them. Like a
// rendered title screen: smooth gradients with noise, and flat areas that compress well.
std::vector<uint8_t> MakeBenchPicture24(int width, int height);

// TGA files of the picture: type 2 (uncompressed) and type 10 (run-length encoded, packets
// within rows), origin bottom-left.
std::vector<uint8_t> EncodeTgaRaw24(const std::vector<uint8_t>& bgr, int width, int height);
std::vector<uint8_t> EncodeTgaRle24(const std::vector<uint8_t>& bgr, int width, int height);

// A temporary folder for the benchmark's files, removed with everything in it when destroyed.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // Writes bytes to a file in the folder; returns its path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::filesystem::path m_path;
};
