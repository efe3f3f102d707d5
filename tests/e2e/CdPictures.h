// Pictures the scenarios put on their CDs, made in code so every pixel is known.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// A picture as its rows appear on screen, top row first.
struct TestPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // top row first

    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const TestPicture&) const = default;
};

// Four flat quadrants in distinct colours: wherever a stretch puts its edges, a point well inside
// a quadrant shows that quadrant's colour.
TestPicture QuadrantPicture(int width, int height);
// Smooth ramps in all three colours, so that any mistake in scaling shows.
TestPicture RampPicture(int width, int height);

// The picture as the launcher's own picture code scales it to width x height: a menu must show
// exactly this, pixel for pixel.
TestPicture ScaledPicture(const TestPicture& source, int width, int height);
// How many pixels two pictures of one size differ in (all of them when the sizes differ).
size_t DifferingPixels(const TestPicture& a, const TestPicture& b);

// Writes the picture as an uncompressed 24-bit TGA file (bottom row first, as such files are).
void WriteTga(const std::string& path, const TestPicture& picture);
