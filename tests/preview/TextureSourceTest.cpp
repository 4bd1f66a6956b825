#include "FractalNoise.h"
#include "ImageSampler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace preview;

namespace {

// Two columns, two rows: row 0 (top) 0 and 1, row 1 (bottom) 2 and 3 in the red channel.
LinearImage Quad() {
    LinearImage image(2, 2);
    image.At(0, 0).r = 0.0f;
    image.At(1, 0).r = 1.0f;
    image.At(0, 1).r = 2.0f;
    image.At(1, 1).r = 3.0f;
    return image;
}

} // namespace

TEST(ImageSampler, HitsPixelCentresExactlyWithVUpwards) {
    const LinearImage image = Quad();
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.25f, 0.75f).r, 0.0f); // top-left
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.75f, 0.75f).r, 1.0f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.25f, 0.25f).r, 2.0f); // bottom-left
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.5f, 0.25f).r, 2.5f);
}

TEST(ImageSampler, RepeatsAcrossUAndHoldsAtTheEdgesOfV) {
    const LinearImage image = Quad();
    // Between the last and the first column, across the seam.
    EXPECT_FLOAT_EQ(SampleBilinear(image, 1.0f, 0.75f).r, 0.5f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.0f, 0.75f).r, 0.5f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, -0.75f, 0.75f).r, 0.0f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.25f, 1.0f).r, 0.0f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.25f, 0.0f).r, 2.0f);
    EXPECT_FLOAT_EQ(SampleBilinear(image, 0.25f, -5.0f).r, 2.0f);
    EXPECT_TRUE(std::isfinite(SampleBilinear(image, NAN, 0.5f).r));
}

TEST(FractalNoise, IsRepeatableSmoothAndSpansItsRange) {
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
