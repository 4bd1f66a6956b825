#pragma once

#include "LinearImage.h"

#include <string>

namespace preview {

// Reads any PNG (grey or colour, 1 to 16 bits, palette, with or without alpha) into values
// of 0 to 1, as stored: no transfer curve is undone, because a thickness map is data, not a
// picture. Alpha is dropped and grey fills all three channels. Throws PreviewError with a
// one-line message when the file is missing or not a readable PNG.
LinearImage ReadPng(const std::string& path);

} // namespace preview
