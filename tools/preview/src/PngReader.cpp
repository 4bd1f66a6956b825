#include "PngReader.h"

#include "PngQuietHandlers.h"
#include "PreviewError.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace preview {
namespace {

struct DecodedRows {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    std::vector<std::uint8_t> bytes;
    std::vector<png_bytep> rows;
};

// Deflate never packs more than 1032 bytes into one (258-byte matches of one bit each), so a
// file of n bytes holds at most about 1032 n bytes of image data, filter bytes included.
constexpr unsigned long long kMaxDeflateRatio = 1032;

// What is wrong with the header's promise, or null when it fits the limits and what the file
// can hold. Checked before any row is allocated: a header alone must not make the reader take
// gigabytes.
const char* HeaderProblem(png_structp png, png_infop info, unsigned long long fileSize) {
    const unsigned long long width = png_get_image_width(png, info);
    const unsigned long long height = png_get_image_height(png, info);
    const unsigned long long rowBytes =
        (width * png_get_channels(png, info) * png_get_bit_depth(png, info) + 7) / 8;
    if (width * height > kMaxPngPixels) {
        return "has more pixels than a thickness map may have (8192 x 8192)";
    }
    if (height * (rowBytes + 1) > kMaxDeflateRatio * fileSize) {
        return "promises more pixels than the file holds";
    }
    return nullptr;
}

// Reads the file as 8- or 16-bit RGB. Images larger than the limits or than the file can hold
// are refused before any memory is taken. libpng reports errors by longjmp, so the C++ objects
// live in the caller.
bool DecodeStream(std::FILE* file, unsigned long long fileSize, DecodedRows& decoded,
                  const char*& problem) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietPngError, QuietPngWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_user_limits(png, 16384, 16384);
    // A thickness map is its pixels: every other chunk (text, colour profile, ...) is skipped
    // unread. libpng only warns about an ancillary chunk larger than its limit and then
    // allocates and clears whatever length the file claims for it.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    problem = HeaderProblem(png, info, fileSize);
    if (problem != nullptr) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_expand(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    decoded.width = png_get_image_width(png, info);
    decoded.height = png_get_image_height(png, info);
    decoded.bitDepth = png_get_bit_depth(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    decoded.bytes.resize(rowBytes * decoded.height);
    decoded.rows.resize(decoded.height);
    for (png_uint_32 y = 0; y < decoded.height; ++y) {
        decoded.rows[y] = decoded.bytes.data() + rowBytes * y;
    }
    png_read_image(png, decoded.rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

float SampleAt(const DecodedRows& decoded, std::size_t index) {
    if (decoded.bitDepth == 16) {
        const unsigned high = decoded.bytes[2 * index];
        const unsigned low = decoded.bytes[2 * index + 1];
        return static_cast<float>((high << 8) | low) / 65535.0f;
    }
    return static_cast<float>(decoded.bytes[index]) / 255.0f;
}

LinearImage ToImage(const DecodedRows& decoded) {
    const int width = static_cast<int>(decoded.width);
    const int height = static_cast<int>(decoded.height);
    LinearImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t first = (static_cast<std::size_t>(y) * width + x) * 3;
            image.At(x, y) = {SampleAt(decoded, first), SampleAt(decoded, first + 1),
                              SampleAt(decoded, first + 2)};
        }
    }
    return image;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

unsigned long long FileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long size = std::ftell(file);
    std::rewind(file);
    return size > 0 ? static_cast<unsigned long long>(size) : 0;
}

} // namespace

LinearImage ReadPngFile(std::FILE* file, const std::string& name) {
    const unsigned long long fileSize = FileSize(file);
    png_byte signature[8] = {};
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        throw PreviewError("'" + name + "' is not a PNG file");
    }
    std::rewind(file);
    DecodedRows decoded;
    const char* problem = nullptr;
    if (!DecodeStream(file, fileSize, decoded, problem) || decoded.width == 0 ||
        decoded.height == 0) {
        throw PreviewError("'" + name + "' " +
                           (problem ? problem : "is a damaged or unsupported PNG file"));
    }
    return ToImage(decoded);
}

LinearImage ReadPng(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw PreviewError("cannot open '" + path + "'");
    }
    return ReadPngFile(file.get(), path);
}

} // namespace preview
