#pragma once

#include "LinearImage.h"
#include "PixelEncoding.h"

#include <string>
#include <utility>
#include <vector>

namespace preview {

// Keyword and text of one PNG tEXt chunk (Latin-1; keywords of 1 to 79 characters).
using PngText = std::pair<std::string, std::string>;

// Writes an 8-bit RGB PNG atomically: the destination is either left untouched or replaced by
// the complete image. Throws PreviewError with a one-line message on failure.
void WritePng(const std::string& destination, const LinearImage& image, PixelEncoding encoding,
              const std::vector<PngText>& text);

} // namespace preview
