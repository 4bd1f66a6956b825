#include "PngReadBack.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void QuietWarning(png_structp, png_const_charp) {}

// Everything after libpng's setjmp lives here, out of line, so that the function that calls
// setjmp has no locals a longjmp could clobber (GCC warns of them at -O1).
[[gnu::noinline]] void ReadInto(png_structp png, png_infop info, std::FILE* file,
                                InspectedPng& result) {
    png_init_io(png, file);
    png_read_info(png, info);
    result.width = static_cast<int>(png_get_image_width(png, info));
    result.height = static_cast<int>(png_get_image_height(png, info));
    result.bitDepth = png_get_bit_depth(png, info);
    result.colorType = png_get_color_type(png, info);
    int intent = 0;
    result.hasSrgbChunk = png_get_sRGB(png, info, &intent) != 0;
    png_get_gAMA(png, info, &result.gamma);
    if (result.bitDepth == 8 && result.colorType == PNG_COLOR_TYPE_RGB) {
        result.rgb.resize(static_cast<std::size_t>(result.width) * result.height * 3);
        for (int y = 0; y < result.height; ++y) {
            png_read_row(png, result.rgb.data() + static_cast<std::size_t>(y) * result.width * 3,
                         nullptr);
        }
        png_read_end(png, info);
    }
    png_textp text = nullptr;
    const int count = png_get_text(png, info, &text, nullptr);
    for (int i = 0; i < count; ++i) {
        result.text[text[i].key] = std::string(text[i].text, text[i].text_length);
    }
}

bool Inspect(std::FILE* file, InspectedPng& result) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    ReadInto(png, info, file, result);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

} // namespace

InspectedPng InspectPng(const std::string& path) {
    InspectedPng result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return result;
    }
    result.valid = Inspect(file, result);
    std::fclose(file);
    return result;
}

std::vector<char> ReadFileBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(stream),
                             std::istreambuf_iterator<char>());
}

void WriteGrey16Png(const std::string& path, int width, int height,
                    const std::vector<std::uint16_t>& values) {
    std::vector<png_byte> bytes;
    for (std::uint16_t value : values) {
        bytes.push_back(static_cast<png_byte>(value >> 8));
        bytes.push_back(static_cast<png_byte>(value & 0xFF));
    }
    std::vector<png_bytep> rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(bytes.data() + static_cast<std::size_t>(y) * width * 2);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 16, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}
