// The decoding cases that the TGA benchmarks time: a full-screen picture as an uncompressed and
// a run-length-encoded file, decoded by our decoder and by the plain reference into a warm
// buffer. Shared by the Google Benchmark program and the timing program that runs under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodeBenchCase {
    std::string name;     // for example "BM_Decode/raw24_1920x1080"
    std::string fileName; // for example "raw24_1920x1080.tga"
    std::vector<std::uint8_t> file;
};

const std::vector<DecodeBenchCase>& DecodeBenchCases();

// A buffer of the case's pixels, written once so that its pages are in place.
std::vector<std::uint8_t> WarmPixelBuffer(const DecodeBenchCase& c);

// Decodes the case's file into `pixels` with our decoder as it is set now, or with the reference.
// Returns whether the whole picture was decoded.
bool DecodeOurs(const DecodeBenchCase& c, std::vector<std::uint8_t>& pixels);
bool DecodeReference(const DecodeBenchCase& c, std::vector<std::uint8_t>& pixels);

// Compares our decoder's pixels with the reference's; on a difference, says so on the standard
// error stream.
bool DecodeMatchesReference(const DecodeBenchCase& c);
