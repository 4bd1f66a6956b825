#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What a test needs to know of a PNG written by the tool, read back independently of it.
struct InspectedPng {
    bool valid = false;
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colorType = 0;
    bool hasSrgbChunk = false;
    double gamma = 0.0;            // 0 when there is no gAMA chunk
    std::vector<std::uint8_t> rgb; // 8-bit RGB rows, when the image is 8-bit RGB
    std::map<std::string, std::string> text;

    std::uint8_t Channel(int x, int y, int channel) const {
        return rgb[(static_cast<std::size_t>(y) * width + x) * 3 + channel];
    }
};

InspectedPng InspectPng(const std::string& path);

// A 16-bit greyscale PNG with the given values, rows from the top, written by libpng directly:
// the kind of thickness map a paint program saves, which the tool itself never writes.
void WriteGrey16Png(const std::string& path, int width, int height,
                    const std::vector<std::uint16_t>& values);

std::vector<char> ReadFileBytes(const std::string& path);
