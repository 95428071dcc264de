#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB picture as a PNG file, uncompressed (stored deflate blocks): screenshots need no more,
// and the tests need no image library. `rgb` holds height rows of width pixels, top row first.
// Returns false when the file cannot be written.
bool writePngFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
