// The imaging library's pictures: the swatch camera's geometry, the chart's layout and frame,
// text, noise, and PNG files written and read back.
#include "imaging/Chart.h"
#include "imaging/Noise.h"
#include "imaging/Png.h"
#include "imaging/SwatchCamera.h"
#include "imaging/Text.h"
#include "imaging/Tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tuple>

using namespace imaging;

namespace {

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

LinearImage Gradient(int width, int height) {
    LinearImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.At(x, y) = {x / float(width - 1), y / float(height - 1), 0.25f};
        }
    }
    return image;
}

struct StreamCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

// Decodes PNG bytes as a file of that content would be decoded.
LinearImage Decode(std::vector<std::uint8_t> bytes, const std::string& name = "map.png") {
    std::unique_ptr<std::FILE, StreamCloser> stream(fmemopen(bytes.data(), bytes.size(), "rb"));
    return DecodePng(stream.get(), bytes.size(), name);
}

} // namespace

TEST(SwatchCamera, LooksStraightAtTheSphereAndSeesOnlyItsFront) {
    const SwatchCamera centred(512, 512);
    const auto centre = centred.Hit(256.0, 256.0);
    ASSERT_TRUE(centre.has_value());
    EXPECT_FLOAT_EQ(centre->Normal().z, 1.0f);
    EXPECT_FLOAT_EQ(centre->View().z, -1.0f);
    EXPECT_FLOAT_EQ(centre->Uvw().x, 0.5f);
    EXPECT_FLOAT_EQ(centre->Uvw().y, 0.5f);

    const SwatchCamera camera(64, 48);
    int hits = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const auto hit = camera.Hit(x + 0.5, y + 0.5);
            if (hit) {
                ++hits;
                EXPECT_NEAR(std::sqrt(Dot(hit->Normal(), hit->Normal())), 1.0f, 1e-6f);
                EXPECT_NEAR(std::sqrt(Dot(hit->View(), hit->View())), 1.0f, 1e-6f);
                EXPECT_LT(Dot(hit->View(), hit->Normal()), 0.0f);
                EXPECT_GE(hit->Uvw().x, 0.0f);
                EXPECT_LE(hit->Uvw().x, 1.0f);
            }
        }
    }
    EXPECT_GT(hits, 64 * 48 / 3);
}

TEST(SwatchCamera, SphereFillsMostOfTheSmallerSideAndItsRimGrazes) {
    const SwatchCamera camera(300, 200);
    EXPECT_FALSE(camera.Hit(0.5, 0.5));
    EXPECT_FALSE(camera.Hit(150.0, 1.0));
    EXPECT_TRUE(camera.Hit(150.0, 12.0));
    EXPECT_FALSE(camera.Hit(40.0, 100.0));
    // The upper half of the image is the upper half of the sphere.
    EXPECT_GT(camera.Hit(150.0, 50.0)->Normal().y, 0.0f);
    EXPECT_GT(camera.Hit(150.0, 50.0)->Uvw().y, 0.5f);

    const SwatchCamera large(1000, 1000);
    double lastHit = 500.0;
    for (double x = 500.0; x < 1000.0 && large.Hit(x, 500.0); x += 0.01) {
        lastHit = x;
    }
    const auto rim = large.Hit(lastHit, 500.0);
    ASSERT_TRUE(rim.has_value());
    EXPECT_LT(std::abs(Dot(rim->View(), rim->Normal())), 0.05f);
    EXPECT_TRUE(std::isfinite(rim->Normal().x));
}

// The swatch skips the rays of pixels the camera calls missed: no point of such a pixel may
// land, or the skip would change the picture.
TEST(SwatchCamera, APixelCalledMissedHasNoPointOnTheSphere) {
    for (const auto& [width, height] : {std::pair{64, 48}, std::pair{33, 57}, std::pair{16, 300}}) {
        const SwatchCamera camera(width, height);
        int missed = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!camera.MissesPixel(x, y)) {
                    continue;
                }
                ++missed;
                for (const double d : {1e-9, 0.25, 0.5, 0.75, 1.0 - 1e-9}) {
                    for (const double e : {1e-9, 0.5, 1.0 - 1e-9}) {
                        ASSERT_FALSE(camera.Hit(x + d, y + e)) << x << ", " << y;
                        ASSERT_FALSE(camera.Hit(x + e, y + d)) << x << ", " << y;
                    }
                }
            }
        }
        EXPECT_FALSE(camera.MissesPixel(width / 2, height / 2));
        EXPECT_GT(missed, width * height / 5);
    }
}

TEST(Text, GlyphsAreWellFormedAndDrawAtScale) {
    for (const char* label :
         {"film thickness (nm)", "viewing angle", "0123456789", "90°", "-1.5"}) {
        for (char32_t c : DecodeUtf8(label)) {
            const Glyph* glyph = FindGlyph(c);
            ASSERT_NE(glyph, nullptr) << "no glyph for U+" << std::hex << unsigned(c);
            for (const char* row : *glyph) {
                ASSERT_EQ(std::strspn(row, "#."), std::size_t(kGlyphWidth));
                ASSERT_EQ(row[kGlyphWidth], '\0');
            }
        }
    }
    EXPECT_EQ(FindGlyph(U'Q'), nullptr);
    EXPECT_EQ(DecodeUtf8("\xC2"), std::u32string(U"\uFFFD"));

    const TextPainter painter(2, {1.0f, 1.0f, 1.0f});
    EXPECT_EQ(painter.Width("10"), (2 * kGlyphAdvance - 1) * 2);
    EXPECT_EQ(painter.Height(), 16);
    LinearImage image(40, 20);
    painter.Draw(image, 0, 0, "1"); // ink at column 2 of its first row, none at column 0
    EXPECT_EQ(image.At(4, 0).r, 1.0f);
    EXPECT_EQ(image.At(0, 0).r, 0.0f);
    painter.Draw(image, 30, 10, "8Q"); // runs off the edge, a missing glyph as a box: no harm
}

TEST(Chart, AxesSpanThePlotWithReadableTicksInsideTheImage) {
    for (auto [width, height, thickness] :
         {std::tuple{768, 512, 1000.0}, {160, 120, 3000.0}, {2000, 1500, 37.0}, {300, 900, 1.0}}) {
        const ChartLayout layout(width, height, thickness);
        EXPECT_DOUBLE_EQ(layout.ThicknessAt(layout.PlotLeft()), 0.0);
        EXPECT_DOUBLE_EQ(layout.ThicknessAt(layout.PlotLeft() + layout.PlotWidth()), thickness);
        EXPECT_DOUBLE_EQ(layout.AngleAt(layout.PlotTop() + layout.PlotHeight()), 0.0);
        EXPECT_DOUBLE_EQ(layout.AngleAt(layout.PlotTop()), 90.0);
        const TextPainter text(layout.TextScale(), {});
        const auto ticks = layout.ThicknessTicks();
        ASSERT_GE(ticks.size(), 2u) << width << "x" << height;
        EXPECT_EQ(ticks.front().label, "0");
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            EXPECT_GT(ticks[i].pixel - ticks[i - 1].pixel, text.Width(ticks[i].label));
        }
        EXPECT_LE(ticks.back().pixel + text.Width(ticks.back().label) / 2, width);
        const auto angles = layout.AngleTicks();
        EXPECT_EQ(angles.front().label, "0°");
        EXPECT_EQ(angles.back().label, "90°");
        EXPECT_GE(angles.back().pixel - text.Height() / 2, 0);
    }
    const ChartLayout layout(400, 300, 800.0);
    const RgbPixel marker{0.5f, 0.25f, 0.125f};
    LinearImage image(400, 300, marker);
    DrawChartFrame(image, layout);
    EXPECT_EQ(image.At(layout.PlotLeft(), layout.PlotTop()).g, marker.g);
    EXPECT_EQ(image.At(0, 0).r, kChartBackground.r);
    EXPECT_EQ(image.At(layout.PlotLeft() + 5, layout.PlotTop() + layout.PlotHeight()).r,
              kChartInk.r);
    EXPECT_EQ(FormatNumber(0.2f), "0.2");
    EXPECT_EQ(FormatNumber(-180.0), "-180");
    EXPECT_EQ(FormatNumber(1.33f), "1.33");
}

TEST(Noise, IsRepeatableSmoothAndSpansItsRange) {
    const FractalNoise noise(7, 4);
    float lowest = 1.0f, highest = 0.0f;
    for (int i = 0; i < 2000; ++i) {
        const float x = i * 0.037f, y = std::sin(i * 0.1f), z = -i * 0.011f;
        const float value = noise.At(x, y, z);
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 1.0f);
        EXPECT_EQ(value, noise.At(x, y, z));
        EXPECT_NEAR(value, noise.At(x + 1e-4f, y, z), 0.01f);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_GT(highest - lowest, 0.4f);
    EXPECT_NE(noise.At(0.5f, 0.5f, 0.5f), FractalNoise(8, 4).At(0.5f, 0.5f, 0.5f));
}

TEST(Png, WhatIsWrittenReadsBackWithItsTagsAndEveryValue) {
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
    const LinearImage read = Decode(EncodePng(image, PixelEncoding::Linear, {{"Comment", "x"}}));
    ASSERT_EQ(read.Width(), 211);
    ASSERT_EQ(read.Height(), 199);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            ASSERT_EQ(std::lround(read.At(x, y).g * 255.0f),
                      EncodePixelValue(image.At(x, y).g, PixelEncoding::Linear));
        }
    }
    // The colour tags: sRGB with its chunk, linear with gamma 1.
    const std::vector<std::uint8_t> srgb = EncodePng(Gradient(4, 4), PixelEncoding::Srgb, {});
    const std::vector<std::uint8_t> linear = EncodePng(Gradient(4, 4), PixelEncoding::Linear, {});
    const std::string srgbText(srgb.begin(), srgb.end()), linearText(linear.begin(), linear.end());
    EXPECT_NE(srgbText.find("sRGB"), std::string::npos);
    EXPECT_EQ(linearText.find("sRGB"), std::string::npos);
    EXPECT_NE(linearText.find(std::string("gAMA\0\x01\x86\xA0", 8)), std::string::npos);
    for (const std::string& keyword : {std::string(), std::string(80, 'k'), std::string("a\nb")}) {
        EXPECT_THROW(EncodePng(Gradient(4, 4), PixelEncoding::Srgb, {{keyword, "text"}}),
                     ToolError);
    }
}

TEST(Png, ForeignTruncatedAndOverpromisingFilesAreRefusedWithOneLine) {
    const std::vector<std::uint8_t> whole = EncodePng(Gradient(64, 64), PixelEncoding::Srgb, {});
    const std::string text = "not an image";
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>(whole.begin(), whole.begin() + 60),
          std::vector<std::uint8_t>(text.begin(), text.end())}) {
        try {
            Decode(bytes, "odd.png");
            ADD_FAILURE() << "accepted";
        } catch (const ToolError& error) {
            EXPECT_NE(std::string(error.what()).find("odd.png"), std::string::npos);
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        }
    }
}
