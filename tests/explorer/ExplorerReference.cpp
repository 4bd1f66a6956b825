// Writes what the native shading core computes for a generated sweep of samples and for a few
// swatches and charts, for the explorer's WebAssembly module to be compared against under node.
//
// Little-endian binary on stdout: "NXR1", u32 sample count, the packed samples (15 floats each),
// their colours, their film colours and the adjustment of those film colours (4 floats each
// per sample, in three blocks), u32 image count, then per image: u32 kind (0 swatch, 1 chart),
// u32 width, u32 height, float chart range, 9 floats of look (thicknessAtZero, thicknessAtOne,
// nMedium, nFilm, nInternal, gamma, hueShift, saturationShift, ramp 0/1) and its linear pixels
// (3 floats each).
#include "ExplorerImages.h"
#include "PackedSample.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// A small deterministic generator, so native and wasm see the same sweep on every run.
class SweepRandom {
public:
    float Unit() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<float>(state_ >> 40) / static_cast<float>(1u << 24);
    }
    float Between(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    template <std::size_t N> float OneOf(const float (&choices)[N]) {
        return choices[static_cast<std::size_t>(Unit() * N) % N];
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Edge values of each parameter's range, mixed with values drawn from the whole range.
constexpr float kThicknesses[] = {0.0f, 1.0f, 250.0f, 350.0f, 1000.0f, 3000.0f};
constexpr float kIndices[] = {0.2f, 1.0f, 1.33f, 1.5f, 2.4f, 100.0f};
constexpr float kGammas[] = {0.05f, 0.45f, 1.0f, 2.2f, 20.0f};
constexpr float kHues[] = {-180.0f, -0.1f, 0.0f, 45.0f, 180.0f};
constexpr float kSaturations[] = {-100.0f, 0.0f, 25.0f, 100.0f};
constexpr float kMapValues[] = {0.0f, 0.5f, 1.0f, -0.25f, 1.25f};

float Pick(SweepRandom& random, const float (&edges)[6], float lo, float hi) {
    return random.Unit() < 0.3f ? random.OneOf(edges) : random.Between(lo, hi);
}

std::vector<float> GenerateSweep(int count) {
    SweepRandom random;
    std::vector<float> packed;
    for (int index = 0; index < count; ++index) {
        // Angles from head-on to grazing, including exactly both ends.
        const float cosine = index % 97 == 0 ? 0.0f : index % 89 == 0 ? 1.0f : random.Unit();
        const float sine = std::sqrt(1.0f - cosine * cosine);
        const float mapValue = random.Unit() < 0.3f ? random.OneOf(kMapValues) : random.Unit();
        const float sample[explorer::kPackedSampleFloats] = {
            sine,
            0.0f,
            -cosine,
            0.0f,
            0.0f,
            1.0f,
            mapValue,
            Pick(random, kIndices, 0.2f, 3.0f),
            Pick(random, kIndices, 0.2f, 3.0f),
            Pick(random, kIndices, 0.2f, 3.0f),
            Pick(random, kThicknesses, 0.0f, 3000.0f),
            Pick(random, kThicknesses, 0.0f, 3000.0f),
            random.Unit() < 0.3f ? random.OneOf(kHues) : random.Between(-180.0f, 180.0f),
            random.Unit() < 0.3f ? random.OneOf(kSaturations) : random.Between(-100.0f, 100.0f),
            random.Unit() < 0.3f ? random.OneOf(kGammas) : random.Between(0.05f, 4.0f)};
        packed.insert(packed.end(), sample, sample + explorer::kPackedSampleFloats);
    }
    return packed;
}

void WriteU32(std::uint32_t value) {
    std::fwrite(&value, sizeof value, 1, stdout);
}

void WriteFloats(const float* values, std::size_t count) {
    std::fwrite(values, sizeof(float), count, stdout);
}

void AppendColour(std::vector<float>& colours, const nacreen::Color4& c) {
    colours.insert(colours.end(), {c.r, c.g, c.b, c.a});
}

struct ImageCase {
    std::uint32_t kind;
    std::uint32_t width, height;
    float chartRange;
    float look[9];
};

explorer::ExplorerLook LookOf(const float (&look)[9]) {
    explorer::ExplorerLook result;
    result.film = {look[2], look[3], look[4], look[0], look[1], look[6], look[7]};
    result.gamma = look[5];
    result.useThicknessRamp = look[8] != 0.0f;
    return result;
}

void WriteImage(const ImageCase& image) {
    const explorer::ExplorerLook look = LookOf(image.look);
    const imaging::LinearImage pixels =
        image.kind == 0 ? explorer::RenderSwatch(look, image.width, image.height)
                        : explorer::RenderChart(look, image.width, image.height, image.chartRange);
    WriteU32(image.kind);
    WriteU32(image.width);
    WriteU32(image.height);
    WriteFloats(&image.chartRange, 1);
    WriteFloats(image.look, 9);
    WriteFloats(&pixels.At(0, 0).r, 3u * image.width * image.height);
}

} // namespace

int main() {
    constexpr int kSamples = 40000;
    const std::vector<float> packed = GenerateSweep(kSamples);
    std::vector<float> colours, films, adjusted;
    for (int index = 0; index < kSamples; ++index) {
        const float* sample = packed.data() + index * explorer::kPackedSampleFloats;
        AppendColour(colours, explorer::ShadePackedSample(sample));
        const nacreen::Color4 film = explorer::FilmColourOfPackedSample(sample);
        AppendColour(films, film);
        AppendColour(adjusted, explorer::AdjustPackedSample(sample, film));
    }
    std::fwrite("NXR1", 1, 4, stdout);
    WriteU32(kSamples);
    WriteFloats(packed.data(), packed.size());
    WriteFloats(colours.data(), colours.size());
    WriteFloats(films.data(), films.size());
    WriteFloats(adjusted.data(), adjusted.size());

    const ImageCase images[] = {
        {0, 256, 256, 0.0f, {250, 350, 1.0f, 1.5f, 1.0f, 1.0f, 0, 0, 0}},
        {0, 200, 120, 0.0f, {120, 900, 1.0f, 1.33f, 1.0f, 2.2f, 30, -20, 1}},
        {1, 480, 256, 1000.0f, {250, 350, 1.0f, 1.5f, 1.0f, 1.0f, 0, 0, 1}},
        {1, 320, 200, 3000.0f, {100, 2500, 1.2f, 2.4f, 1.52f, 0.5f, -90, 60, 1}},
    };
    WriteU32(sizeof images / sizeof images[0]);
    for (const ImageCase& image : images) {
        WriteImage(image);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
