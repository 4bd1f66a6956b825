#include "imaging/Png.h"

#include "imaging/Tool.h"

#include <libdeflate.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>

namespace imaging {
namespace {

// ---- reading -----------------------------------------------------------------------------------

// libpng's own handlers print to the terminal; the tools report one line of their own.
// Leaves through libpng's longjmp, to the setjmp of the caller.
void QuietPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void QuietPngWarning(png_structp, png_const_charp) {}

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

// ---- writing -----------------------------------------------------------------------------------

// The file is laid out here and its pixel data compressed in one call to libdeflate, which at
// level 6 writes files within about a per cent of zlib's level 6 in about a third of the time.
constexpr int kCompressionLevel = 6;

constexpr std::array<std::uint8_t, 8> kSignature{137, 'P', 'N', 'G', 13, 10, 26, 10};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr int kBytesPerPixel = 3;
// A render changes little from one row to the next: the "up" filter alone keeps the files
// within a few per cent of trying all five filters on every row, at a fraction of the cost.
constexpr std::uint8_t kFilterUp = 2;
// Each IDAT chunk holds at most this much of the compressed stream.
constexpr std::size_t kIdatBytes = std::size_t{1} << 16;

// Gamma and chromaticities in PNG's units of 1/100000.
constexpr std::uint32_t kSrgbGamma = 45455; // 1 / 2.2
constexpr std::uint32_t kLinearGamma = 100000;
constexpr std::array<std::uint32_t, 8> kSrgbChromaticities{
    31270, 32900, // white point
    64000, 33000, // red
    30000, 60000, // green
    15000, 6000,  // blue
};
constexpr std::uint8_t kPerceptualIntent = 0;

using Bytes = std::vector<std::uint8_t>;

void AppendBigEndian(Bytes& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// Every row as the "up" filter leaves it: the filter's byte, then each byte of the encoded
// row less the one above it (the row above the first counts as zeros).
Bytes FilteredRows(const LinearImage& image, PixelEncoding encoding) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * kBytesPerPixel;
    Bytes filtered((rowBytes + 1) * static_cast<std::size_t>(image.Height()));
    Bytes above(rowBytes, 0);
    Bytes row(rowBytes);
    std::uint8_t* out = filtered.data();
    for (int y = 0; y < image.Height(); ++y) {
        EncodePixelRow(&image.At(0, y), image.Width(), encoding, row.data());
        *out++ = kFilterUp;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            *out++ = static_cast<std::uint8_t>(row[i] - above[i]);
        }
        row.swap(above);
    }
    return filtered;
}

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// The zlib stream of the filtered rows.
Bytes Compressed(const Bytes& filtered) {
    const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kCompressionLevel));
    if (!compressor) {
        throw std::bad_alloc();
    }
    Bytes stream(libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
    const std::size_t size = libdeflate_zlib_compress(
        compressor.get(), filtered.data(), filtered.size(), stream.data(), stream.size());
    stream.resize(size);
    return stream;
}

// A file being laid out chunk by chunk: length, type, data, and the CRC of type and data.
class ChunkWriter {
public:
    explicit ChunkWriter(Bytes& file) : file_(file) {
        file_.insert(file_.end(), kSignature.begin(), kSignature.end());
    }

    void Chunk(const char (&type)[5], const std::uint8_t* data, std::size_t size) {
        Bytes header;
        AppendBigEndian(header, static_cast<std::uint32_t>(size));
        header.insert(header.end(), type, type + 4);
        std::uint32_t crc = libdeflate_crc32(0, type, 4);
        if (size > 0) {
            crc = libdeflate_crc32(crc, data, size);
        }
        file_.insert(file_.end(), header.begin(), header.end());
        if (size > 0) {
            file_.insert(file_.end(), data, data + size);
        }
        AppendBigEndian(file_, crc);
    }
    void Chunk(const char (&type)[5], const Bytes& data) { Chunk(type, data.data(), data.size()); }

private:
    Bytes& file_;
};

Bytes HeaderChunk(const LinearImage& image) {
    Bytes header;
    AppendBigEndian(header, static_cast<std::uint32_t>(image.Width()));
    AppendBigEndian(header, static_cast<std::uint32_t>(image.Height()));
    // Bit depth, colour type, then deflate compression, adaptive filtering, no interlace.
    header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0});
    return header;
}

void WriteColourChunks(ChunkWriter& writer, PixelEncoding encoding) {
    Bytes gamma;
    AppendBigEndian(gamma, encoding == PixelEncoding::Srgb ? kSrgbGamma : kLinearGamma);
    writer.Chunk("gAMA", gamma);
    if (encoding == PixelEncoding::Srgb) {
        writer.Chunk("sRGB", Bytes{kPerceptualIntent});
        Bytes chromaticities;
        for (const std::uint32_t value : kSrgbChromaticities) {
            AppendBigEndian(chromaticities, value);
        }
        writer.Chunk("cHRM", chromaticities);
    }
}

// A tEXt chunk holds keyword and text separated by one zero byte, so the text ends at its
// first zero byte, if it has one.
void WriteTextChunk(ChunkWriter& writer, const PngText& entry) {
    Bytes chunk(entry.first.begin(), entry.first.end());
    chunk.push_back(0);
    const std::string text = entry.second.c_str();
    chunk.insert(chunk.end(), text.begin(), text.end());
    writer.Chunk("tEXt", chunk);
}

void WriteImageData(ChunkWriter& writer, const Bytes& stream) {
    for (std::size_t start = 0; start < stream.size(); start += kIdatBytes) {
        writer.Chunk("IDAT", stream.data() + start, std::min(kIdatBytes, stream.size() - start));
    }
}

// Keywords are the tool's own, so one that a reader would reject is the tool's fault: a
// keyword is 1 to 79 printable Latin-1 characters.
constexpr std::size_t kMaxKeywordLength = 79;

bool PrintableLatin1(unsigned char c) {
    return (c >= 0x20 && c <= 0x7E) || c >= 0xA1;
}

void CheckKeyword(const std::string& keyword) {
    const bool printable = std::all_of(keyword.begin(), keyword.end(), [](char c) {
        return PrintableLatin1(static_cast<unsigned char>(c));
    });
    if (keyword.empty() || keyword.size() > kMaxKeywordLength || !printable) {
        throw ToolError("cannot write a PNG text entry named '" + keyword + "'");
    }
}

} // namespace

LinearImage DecodePng(std::FILE* file, unsigned long long fileSize, const std::string& name) {
    png_byte signature[8] = {};
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        throw ToolError("'" + name + "' is not a PNG file");
    }
    std::rewind(file);
    DecodedRows decoded;
    const char* problem = nullptr;
    if (!DecodeStream(file, fileSize, decoded, problem) || decoded.width == 0 ||
        decoded.height == 0) {
        throw ToolError("'" + name + "' " +
                        (problem ? problem : "is a damaged or unsupported PNG file"));
    }
    return ToImage(decoded);
}

std::vector<std::uint8_t> EncodePng(const LinearImage& image, PixelEncoding encoding,
                                    const std::vector<PngText>& text) {
    for (const PngText& entry : text) {
        CheckKeyword(entry.first);
    }
    const Bytes stream = Compressed(FilteredRows(image, encoding));
    Bytes file;
    ChunkWriter writer(file);
    writer.Chunk("IHDR", HeaderChunk(image));
    WriteColourChunks(writer, encoding);
    for (const PngText& entry : text) {
        WriteTextChunk(writer, entry);
    }
    WriteImageData(writer, stream);
    writer.Chunk("IEND", nullptr, 0);
    return file;
}

} // namespace imaging
