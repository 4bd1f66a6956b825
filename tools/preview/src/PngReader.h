#pragma once

#include "LinearImage.h"

#include <cstdio>
#include <string>

namespace preview {

// Reads any PNG (grey or colour, 1 to 16 bits, palette, with or without alpha) into values
// of 0 to 1, as stored: no transfer curve is undone, because a thickness map is data, not a
// picture. Alpha is dropped and grey fills all three channels. Throws PreviewError with a
// one-line message when the file is missing or not a readable PNG.
LinearImage ReadPng(const std::string& path);

// The same from an open file, positioned anywhere; `name` is the file name the messages give.
LinearImage ReadPngFile(std::FILE* file, const std::string& name);

// The most pixels a thickness map may have: the decoded map, three floats a pixel, stays under
// a gigabyte.
constexpr unsigned long long kMaxPngPixels = 8192ull * 8192ull;

} // namespace preview
