// PNG files: 8-bit RGB images written for viewers and compositing, and any PNG read back as a
// thickness map's data.
#pragma once

#include "imaging/Image.h"
#include "imaging/PixelEncoding.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace imaging {

// Keyword and text of one PNG tEXt chunk (Latin-1; keywords of 1 to 79 characters).
using PngText = std::pair<std::string, std::string>;

// The bytes of an 8-bit RGB PNG of the image, tagged sRGB or linear as encoded, with the text
// chunks given. Throws ToolError for a keyword a reader would refuse.
std::vector<std::uint8_t> EncodePng(const LinearImage& image, PixelEncoding encoding,
                                    const std::vector<PngText>& text);

// Reads any PNG (grey or colour, 1 to 16 bits, palette, with or without alpha) into values of
// 0 to 1, as stored: no transfer curve is undone, because a thickness map is data, not a
// picture. Alpha is dropped and grey fills all three channels. `size` is the stream's length
// and `name` the file name the messages give. Throws ToolError with one line when the stream
// is not a readable PNG, or promises more pixels than the limit or than it can hold.
LinearImage DecodePng(std::FILE* stream, unsigned long long size, const std::string& name);

// The most pixels a thickness map may have: the decoded map, three floats a pixel, stays under
// a gigabyte.
constexpr unsigned long long kMaxPngPixels = 8192ull * 8192ull;

} // namespace imaging
