#include "InterruptCleanup.h"
#include "PendingFile.h"
#include "PixelEncoding.h"
#include "PngReadBack.h"
#include "PngReader.h"
#include "PngWriter.h"
#include "PreviewError.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace preview;

namespace {

LinearImage Gradient(int width, int height) {
    LinearImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.At(x, y) = {x / float(width - 1), y / float(height - 1), 0.25f};
        }
    }
    return image;
}

// The chunk types of a PNG file, in file order.
std::vector<std::string> ChunkTypes(const std::vector<char>& bytes) {
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 8 <= bytes.size();) {
        std::uint32_t length = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            length = length << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        }
        types.emplace_back(&bytes[at + 4], 4);
        at += 12 + length;
    }
    return types;
}

} // namespace

TEST(PixelEncoding, FollowsTheSrgbCurveAndLimitsToUnit) {
    EXPECT_EQ(EncodePixelValue(0.0f, PixelEncoding::Srgb), 0);
    EXPECT_EQ(EncodePixelValue(1.0f, PixelEncoding::Srgb), 255);
    EXPECT_EQ(EncodePixelValue(0.5f, PixelEncoding::Srgb), 188); // 0.7354 after the curve
    EXPECT_EQ(EncodePixelValue(0.002f, PixelEncoding::Srgb), 7); // linear toe: 12.92 x
    EXPECT_EQ(EncodePixelValue(0.5f, PixelEncoding::Linear), 128);
    EXPECT_EQ(EncodePixelValue(-3.0f, PixelEncoding::Srgb), 0);
    EXPECT_EQ(EncodePixelValue(7.0f, PixelEncoding::Linear), 255);
    EXPECT_EQ(EncodePixelValue(std::numeric_limits<float>::quiet_NaN(), PixelEncoding::Srgb), 0);
}

TEST(PngWriter, WritesEightBitRgbWithTextAndTheRightColourTag) {
    ScratchFolder folder;
    const LinearImage image = Gradient(17, 9);
    WritePng(folder.Path("srgb.png"), image, PixelEncoding::Srgb, {{"Comment", "nfilm=1.33"}});
    WritePng(folder.Path("linear.png"), image, PixelEncoding::Linear, {});

    const InspectedPng srgb = InspectPng(folder.Path("srgb.png"));
    ASSERT_TRUE(srgb.valid);
    EXPECT_EQ(srgb.width, 17);
    EXPECT_EQ(srgb.height, 9);
    EXPECT_TRUE(srgb.hasSrgbChunk);
    EXPECT_EQ(srgb.text.at("Comment"), "nfilm=1.33");
    EXPECT_EQ(srgb.Channel(16, 8, 0), 255);
    EXPECT_EQ(srgb.Channel(8, 4, 2), EncodePixelValue(0.25f, PixelEncoding::Srgb));

    const InspectedPng linear = InspectPng(folder.Path("linear.png"));
    ASSERT_TRUE(linear.valid);
    EXPECT_FALSE(linear.hasSrgbChunk);
    EXPECT_DOUBLE_EQ(linear.gamma, 1.0);
    EXPECT_EQ(linear.Channel(8, 4, 2), 64);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"linear.png", "srgb.png"}));
}

TEST(PngWriter, FailureLeavesTheDestinationAndFolderUntouched) {
    ScratchFolder folder;
    EXPECT_THROW(WritePng(folder.Path("missing/out.png"), Gradient(4, 4), PixelEncoding::Srgb, {}),
                 PreviewError);
    // A folder in the way of the rename: the temporary file must not stay behind.
    std::filesystem::create_directory(folder.Path("taken.png"));
    EXPECT_THROW(WritePng(folder.Path("taken.png"), Gradient(4, 4), PixelEncoding::Srgb, {}),
                 PreviewError);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"taken.png"});
}

TEST(PngWriter, ImageDataLongerThanOneChunkReadsBackExactly) {
    ScratchFolder folder;
    LinearImage image(211, 199); // noise barely compresses: the data needs several IDAT chunks
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    };
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            image.At(x, y) = {next(), next(), next()};
        }
    }
    WritePng(folder.Path("noise.png"), image, PixelEncoding::Srgb, {{"Software", "test"}});

    const InspectedPng read = InspectPng(folder.Path("noise.png"));
    ASSERT_TRUE(read.valid);
    ASSERT_EQ(read.width, 211);
    ASSERT_EQ(read.height, 199);
    int mismatches = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const RgbPixel& p = image.At(x, y);
            mismatches += read.Channel(x, y, 0) != EncodePixelValue(p.r, PixelEncoding::Srgb);
            mismatches += read.Channel(x, y, 1) != EncodePixelValue(p.g, PixelEncoding::Srgb);
            mismatches += read.Channel(x, y, 2) != EncodePixelValue(p.b, PixelEncoding::Srgb);
        }
    }
    EXPECT_EQ(mismatches, 0);

    std::vector<std::string> types = ChunkTypes(ReadFileBytes(folder.Path("noise.png")));
    ASSERT_GE(types.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(types.begin(), types.begin() + 5),
              (std::vector<std::string>{"IHDR", "gAMA", "sRGB", "cHRM", "tEXt"}));
    EXPECT_EQ(types.back(), "IEND");
    types.pop_back();
    EXPECT_GE(types.size() - 5, 2u);
    EXPECT_TRUE(std::all_of(types.begin() + 5, types.end(),
                            [](const std::string& type) { return type == "IDAT"; }));
}

TEST(PngWriter, RefusesAKeywordAReaderWouldRejectAndWritesNothing) {
    ScratchFolder folder;
    for (const std::string& keyword : {std::string(), std::string(80, 'k'), std::string("a\nb")}) {
        EXPECT_THROW(WritePng(folder.Path("out.png"), Gradient(4, 4), PixelEncoding::Srgb,
                              {{keyword, "text"}}),
                     PreviewError);
    }
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(PendingFile, RemovesItsTemporaryFileUnlessCommitted) {
    ScratchFolder folder;
    {
        PendingFile pending(folder.Path("scene.nscn"));
        std::ofstream(pending.TemporaryPath()) << "half";
        EXPECT_EQ(folder.Entries().size(), 1u);
    }
    EXPECT_TRUE(folder.Entries().empty());
    {
        PendingFile pending(folder.Path("scene.nscn"));
        std::ofstream(pending.TemporaryPath()) << "whole";
        pending.Commit();
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"scene.nscn"});
}

TEST(PendingFile, AnInterruptRemovesTheTemporaryFileToo) {
    ScratchFolder folder;
    const pid_t child = fork();
    if (child == 0) {
        InstallInterruptCleanup();
        PendingFile pending(folder.Path("frame.png"));
        std::ofstream(pending.TemporaryPath()) << "half a picture";
        std::raise(SIGTERM);
        _exit(0); // not reached: the handler ends the process with the signal
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(PngReader, ReadsWhatTheWriterWroteAsStoredValues) {
    ScratchFolder folder;
    WritePng(folder.Path("map.png"), Gradient(5, 3), PixelEncoding::Linear, {});
    const LinearImage read = ReadPng(folder.Path("map.png"));
    ASSERT_EQ(read.Width(), 5);
    ASSERT_EQ(read.Height(), 3);
    EXPECT_FLOAT_EQ(read.At(4, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(read.At(2, 0).r, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(read.At(0, 2).g, 1.0f);
}

TEST(PngReader, ReadsSixteenBitGreyIntoAllChannels) {
    ScratchFolder folder;
    WriteGrey16Png(folder.Path("grey.png"), 3, 1, {0, 32768, 65535});
    const LinearImage read = ReadPng(folder.Path("grey.png"));
    ASSERT_EQ(read.Width(), 3);
    EXPECT_FLOAT_EQ(read.At(0, 0).r, 0.0f);
    EXPECT_FLOAT_EQ(read.At(1, 0).g, 32768.0f / 65535.0f);
    EXPECT_FLOAT_EQ(read.At(1, 0).b, 32768.0f / 65535.0f);
    EXPECT_FLOAT_EQ(read.At(2, 0).r, 1.0f);
}

TEST(PngReader, RejectsMissingTruncatedAndForeignFilesWithOneLine) {
    ScratchFolder folder;
    WritePng(folder.Path("whole.png"), Gradient(64, 64), PixelEncoding::Srgb, {});
    std::vector<char> bytes = ReadFileBytes(folder.Path("whole.png"));
    std::ofstream(folder.Path("cut.png"), std::ios::binary).write(bytes.data(), 60);
    std::ofstream(folder.Path("text.png")) << "not an image";
    for (const char* name : {"absent.png", "cut.png", "text.png"}) {
        try {
            ReadPng(folder.Path(name));
            ADD_FAILURE() << name << " was accepted";
        } catch (const PreviewError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos);
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        }
    }
}
