#include "imaging/Noise.h"

#include <cmath>

namespace imaging {
namespace {

std::uint32_t Mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Smooth(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// The lattice cell of a coordinate, taken modulo 2^32: the lattice hash reads only the low 32
// bits of a cell, so this changes no value, and it keeps coordinates too far out for a 64-bit
// integer (a tiny cell size from a scene file) defined.
long long LatticeCell(double floored) {
    constexpr double kPeriod = 4294967296.0;
    return static_cast<long long>(floored - kPeriod * std::floor(floored / kPeriod));
}

} // namespace

float FractalNoise::Lattice(long long x, long long y, long long z, std::uint32_t salt) const {
    std::uint32_t h = Mix(seed_ ^ salt);
    h = Mix(h ^ static_cast<std::uint32_t>(x));
    h = Mix(h ^ static_cast<std::uint32_t>(y));
    h = Mix(h ^ static_cast<std::uint32_t>(z));
    return static_cast<float>(h >> 8) / static_cast<float>(1u << 24);
}

float FractalNoise::Octave(double x, double y, double z, std::uint32_t salt) const {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const long long ix = LatticeCell(fx), iy = LatticeCell(fy), iz = LatticeCell(fz);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy), tz = Smooth(z - fz);
    double layers[2];
    for (int dz = 0; dz < 2; ++dz) {
        const double near =
            Lerp(Lattice(ix, iy, iz + dz, salt), Lattice(ix + 1, iy, iz + dz, salt), tx);
        const double far =
            Lerp(Lattice(ix, iy + 1, iz + dz, salt), Lattice(ix + 1, iy + 1, iz + dz, salt), tx);
        layers[dz] = Lerp(near, far, ty);
    }
    return static_cast<float>(Lerp(layers[0], layers[1], tz));
}

float FractalNoise::At(float x, float y, float z) const {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
        return 0.5f; // no point of space: the noise's mean
    }
    double sum = 0.0, weight = 1.0, total = 0.0, frequency = 1.0;
    for (int octave = 0; octave < octaves_; ++octave) {
        sum += weight * Octave(x * frequency, y * frequency, z * frequency,
                               static_cast<std::uint32_t>(octave) * 0x9E3779B9u);
        total += weight;
        weight *= 0.5;
        frequency *= 2.0;
    }
    return total > 0.0 ? static_cast<float>(sum / total) : 0.0f;
}

} // namespace imaging
