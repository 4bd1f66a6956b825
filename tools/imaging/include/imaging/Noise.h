#pragma once

#include <cstdint>

namespace imaging {

// Smooth three-dimensional value noise summed over octaves, from 0 to 1, the same everywhere
// for the same seed. A stand-in for the host's Noise map: it gives a thickness map the
// swirled, uneven look of a real film without needing a picture.
class FractalNoise {
public:
    FractalNoise(std::uint32_t seed, int octaves) : seed_(seed), octaves_(octaves) {}

    float At(float x, float y, float z) const;

private:
    float Octave(double x, double y, double z, std::uint32_t salt) const;
    float Lattice(long long x, long long y, long long z, std::uint32_t salt) const;

    std::uint32_t seed_;
    int octaves_;
};

} // namespace imaging
