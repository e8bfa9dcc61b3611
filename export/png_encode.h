// PNG files' bytes: grey or RGB, 8 or 16 bits a sample, compressed with zlib.
// Needs: zlib.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct PngImage {
    int width = 0, height = 0;
    int channels = 3;      // 1 grey, 3 RGB
    int bitsPerSample = 8; // 8 or 16; 16-bit samples are stored as they come, high byte first
    std::vector<unsigned char> pixels; // rows top first, no padding
    // tEXt chunks: a keyword (1 to 79 Latin-1 characters) and its text.
    std::vector<std::pair<std::string, std::string>> texts;
};

// The PNG file of the image; empty when zlib cannot compress it (out of memory).
std::vector<unsigned char> encodePng(const PngImage& image);
