#include "imaging/PixelEncoding.h"

#include <array>
#include <cmath>
#include <cstring>

namespace imaging {
namespace {

float LimitToUnit(float value) {
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return value < 1.0f ? value : 1.0f;
}

double SrgbTransfer(double linear) {
    if (linear <= 0.0031308) {
        return 12.92 * linear;
    }
    return 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatOf(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr std::uint32_t kOneBits = 0x3F800000u; // 1.0f; the limited values are 0 to this
constexpr int kBucketShift = 15;                // buckets of 2^15 neighbouring floats
constexpr std::size_t kBucketCount = (kOneBits >> kBucketShift) + 1;

// The defining curve as a step function of the float's bit pattern. Non-negative floats order
// like their bit patterns, and the curve never falls from one float to the next (the power
// function moves by far more than its rounding error between neighbours), so each code k is
// taken from the first float where the definition reaches k up to the first where it reaches
// k + 1. Those first floats are found once, by bisection against the definition itself, which
// makes the table exact for every float rather than close.
class ByteCurve {
public:
    explicit ByteCurve(PixelEncoding encoding) {
        firstBits_[0] = 0;
        for (int code = 1; code <= 255; ++code) {
            firstBits_[static_cast<std::size_t>(code)] = FirstReaching(encoding, code);
        }
        firstBits_[256] = ~std::uint32_t{0}; // no float reaches 256
        int code = 0;
        for (std::size_t bucket = 0; bucket < kBucketCount; ++bucket) {
            code = Advance(code, static_cast<std::uint32_t>(bucket << kBucketShift));
            bucketStart_[bucket] = static_cast<std::uint8_t>(code);
        }
    }

    std::uint8_t Encode(float limited) const {
        const std::uint32_t bits = BitsOf(limited);
        return static_cast<std::uint8_t>(Advance(bucketStart_[bits >> kBucketShift], bits));
    }

private:
    // Within a bucket the curve climbs by at most one code; the loop holds for any step.
    int Advance(int code, std::uint32_t bits) const {
        while (bits >= firstBits_[static_cast<std::size_t>(code) + 1]) {
            ++code;
        }
        return code;
    }

    static std::uint32_t FirstReaching(PixelEncoding encoding, int code) {
        std::uint32_t low = 0;         // below the first float reaching the code
        std::uint32_t high = kOneBits; // reaches it: 1 encodes as 255
        while (high - low > 1) {
            const std::uint32_t middle = low + (high - low) / 2;
            if (DefiningPixelValue(FloatOf(middle), encoding) >= code) {
                high = middle;
            } else {
                low = middle;
            }
        }
        return high;
    }

    std::array<std::uint32_t, 257> firstBits_{};
    std::array<std::uint8_t, kBucketCount> bucketStart_{};
};

const ByteCurve& CurveFor(PixelEncoding encoding) {
    static const ByteCurve srgb(PixelEncoding::Srgb);
    static const ByteCurve linear(PixelEncoding::Linear);
    return encoding == PixelEncoding::Srgb ? srgb : linear;
}

} // namespace

std::uint8_t DefiningPixelValue(float linear, PixelEncoding encoding) {
    double value = LimitToUnit(linear);
    if (encoding == PixelEncoding::Srgb) {
        value = SrgbTransfer(value);
    }
    return static_cast<std::uint8_t>(std::lround(value * 255.0));
}

std::uint8_t EncodePixelValue(float linear, PixelEncoding encoding) {
    return CurveFor(encoding).Encode(LimitToUnit(linear));
}

void EncodePixelRow(const RgbPixel* pixels, int count, PixelEncoding encoding, std::uint8_t* out) {
    const ByteCurve& curve = CurveFor(encoding);
    for (int i = 0; i < count; ++i) {
        *out++ = curve.Encode(LimitToUnit(pixels[i].r));
        *out++ = curve.Encode(LimitToUnit(pixels[i].g));
        *out++ = curve.Encode(LimitToUnit(pixels[i].b));
    }
}

} // namespace imaging
