#include "ShadingSamples.h"

#include <cmath>
#include <random>

namespace nacreen::bench {
namespace {

Vec3 RandomDirection(std::mt19937& random) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> turn(0.0f, 6.2831855f);
    const float z = unit(random);
    const float angle = turn(random);
    const float radius = std::sqrt(1.0f - z * z);
    return Vec3{radius * std::cos(angle), radius * std::sin(angle), z};
}

std::vector<Sample> RandomSamples() {
    std::mt19937 random(2024u);
    auto uniform = [&random](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random);
    };
    std::vector<Sample> samples(kSampleCount);
    for (Sample& s : samples) {
        s.view = RandomDirection(random);
        s.normal = RandomDirection(random);
        s.mapValue = uniform(0.0f, 1.0f);
        s.params = FilmParams{uniform(1.0f, 1.6f),    uniform(1.2f, 2.5f),    uniform(1.0f, 1.8f),
                              uniform(50.0f, 800.0f), uniform(50.0f, 800.0f), uniform(5.0f, 180.0f),
                              uniform(5.0f, 60.0f)};
        s.gamma = uniform(0.5f, 2.5f);
    }
    return samples;
}

std::vector<Sample> SphereSamples() {
    std::vector<Sample> samples;
    samples.reserve(kSampleCount);
    const int side = 80;
    for (int y = 0; samples.size() < kSampleCount; y = (y + 1) % side) {
        for (int x = 0; x < side && samples.size() < kSampleCount; ++x) {
            const float u = (x + 0.5f) / side * 2.0f - 1.0f;
            const float v = (y + 0.5f) / side * 2.0f - 1.0f;
            const float rr = u * u + v * v;
            if (rr >= 1.0f) {
                continue;
            }
            samples.push_back(Sample{Vec3{0.0f, 0.0f, 1.0f}, Vec3{u, v, std::sqrt(1.0f - rr)},
                                     0.5f + 0.5f * v, kSphereParams, kSphereGamma});
        }
    }
    return samples;
}

} // namespace

const std::vector<Sample>& Samples(SampleSet set) {
    static const std::vector<Sample> random = RandomSamples();
    static const std::vector<Sample> sphere = SphereSamples();
    return set == SampleSet::Random ? random : sphere;
}

const char* SampleSetName(SampleSet set) {
    return set == SampleSet::Random ? "random" : "sphere";
}

} // namespace nacreen::bench
