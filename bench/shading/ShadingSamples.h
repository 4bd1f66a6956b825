// The shading inputs every per-sample benchmark draws from, so that the core and the plug-in's
// EvalColor are timed on the same samples.
#pragma once

#include "shading/FilmParams.h"
#include "shading/Vec3.h"

#include <cstddef>
#include <vector>

namespace nacreen::bench {

struct Sample {
    Vec3 view;
    Vec3 normal;
    float mapValue;
    FilmParams params;
    float gamma;
};

enum class SampleSet { Random = 0, Sphere = 1 };

constexpr std::size_t kSampleCount = 4096; // a power of two, so an index wraps with a mask

// The controls of the sphere set: the default stack with the hue, saturation and gamma away
// from their neutral values.
constexpr FilmParams kSphereParams{1.0f, 1.5f, 1.0f, 250.0f, 350.0f, 30.0f, 20.0f};
constexpr float kSphereGamma = 2.2f;

// Random: every input drawn uniformly, directions, map value, stack and controls, with the hue
// shift, saturation offset and gamma all away from their neutral values. Sphere: a sphere seen
// from the front, as a render shows it: neighbouring samples have neighbouring angles and
// thicknesses, and the controls are kSphereParams and kSphereGamma for all.
const std::vector<Sample>& Samples(SampleSet set);

const char* SampleSetName(SampleSet set);

} // namespace nacreen::bench
