#pragma once

namespace nacreen {

// The map's parameter snapshot, cached at update time and read by every shading sample.
// The first five fields are the optical stack; the last two feed the colour adjustment.
struct FilmParams {
    float nMedium;         // refractive index of the outer medium
    float nFilm;           // refractive index of the film
    float nInternal;       // refractive index of the material under the film
    float thicknessAtZero; // film thickness in nanometres where the thickness map is 0
    float thicknessAtOne;  // film thickness in nanometres where the thickness map is 1
    float hueShift;        // degrees
    float saturationShift; // percent
};

} // namespace nacreen
