#pragma once

#include "shading/ForceInline.h"
#include "shading/Fresnel.h"

#include <cmath>

// The steps of the film reflectance split at the one point where the wavelength enters: the
// angles, the Fresnel products and the beam ratio are computed once per viewing angle and stack,
// and only the phase and the two transmitted intensities are computed per wavelength. Both
// FilmReflectance and EvalFilmColor are built from these pieces, so they give the same bits.

namespace nacreen {

// Wavelength-independent quantities of a three-layer stack seen at one angle.
struct FilmInterfaces {
    float alphaS, alphaP;    // products of the two reflection amplitudes inside the film
    float betaS, betaP;      // products of the two transmission amplitudes, outside to internal
    float opticalPath;       // ((2·n1)·d)·cos1: the round trip's path length in the film
    float beamRatio;         // (n2·cos2) / (n0·cos0): widening of the transmitted beam
    bool reflectsEverything; // total internal reflection or grazing view: the result is 1
};

// sin² of the angle in a layer of index nTo, from sin² s0 of the angle in the outer medium of
// index nFrom (Snell's law). The ratio is single precision, the rest double, rounded at the end.
NACREEN_FORCE_INLINE float RefractedSinSquared(double s0, float nFrom, float nTo) {
    const float ratio = nFrom / nTo;
    return static_cast<float>((static_cast<double>(ratio) * static_cast<double>(ratio)) * s0);
}

// Angles, Fresnel products, path and beam ratio of the stack at the cosine cos0, in the order
// and precision the reflectance defines them. reflectsEverything is set (and the rest left 0)
// under total internal reflection, at either interface, and at a grazing view.
NACREEN_FORCE_INLINE FilmInterfaces PrepareFilmInterfaces(float cos0, float thickness,
                                                          float nMedium, float nFilm,
                                                          float nInternal) {
    FilmInterfaces film{};
    film.reflectsEverything = true;

    // The square of a float is exact in double precision.
    const double s0 = 1.0 - static_cast<double>(cos0) * static_cast<double>(cos0);
    const float s1 = RefractedSinSquared(s0, nMedium, nFilm);
    if (s1 > 1.0f) {
        return film; // total internal reflection at the top of the film
    }
    const float cos1 = std::sqrt(1.0f - s1);
    const float s2 = RefractedSinSquared(s0, nMedium, nInternal);
    if (s2 > 1.0f) {
        return film; // total internal reflection at the bottom of the film
    }
    const float cos2 = std::sqrt(1.0f - s2);

    film.alphaS = FresnelRs(nFilm, nMedium, cos1, cos0) * FresnelRs(nFilm, nInternal, cos1, cos2);
    film.alphaP = FresnelRp(nFilm, nMedium, cos1, cos0) * FresnelRp(nFilm, nInternal, cos1, cos2);
    film.betaS = FresnelTs(nMedium, nFilm, cos0, cos1) * FresnelTs(nFilm, nInternal, cos1, cos2);
    film.betaP = FresnelTp(nMedium, nFilm, cos0, cos1) * FresnelTp(nFilm, nInternal, cos1, cos2);
    film.opticalPath = ((2.0f * nFilm) * thickness) * cos1;
    film.beamRatio = (nInternal * cos2) / (nMedium * cos0);

    // Looking along the surface, the beam ratio divides by zero (or overflows just above zero)
    // while nothing is transmitted: the grazing limit is full reflection.
    if (cos0 == 0.0f || std::isinf(film.beamRatio)) {
        return film;
    }
    film.reflectsEverything = false;
    return film;
}

// One polarisation's transmitted intensity, βt² / |1 − α·e^{iφ}|², summed over all the passes
// through the film. The product 2·α·cos φ is single precision, the rest double.
NACREEN_FORCE_INLINE float TransmittedIntensity(float beta, float alpha, float cosPhase) {
    const double numerator = static_cast<double>(beta) * static_cast<double>(beta);
    const double alphaSquared = static_cast<double>(alpha) * static_cast<double>(alpha);
    const double cross = static_cast<double>((2.0f * alpha) * cosPhase);
    return static_cast<float>(numerator / ((alphaSquared - cross) + 1.0));
}

// Reflected fraction at one wavelength, given the cosine of the phase (2π/λ)·opticalPath.
NACREEN_FORCE_INLINE float ReflectanceAtCosine(const FilmInterfaces& film, float cosPhase) {
    const float ts = TransmittedIntensity(film.betaS, film.alphaS, cosPhase);
    const float tp = TransmittedIntensity(film.betaP, film.alphaP, cosPhase);
    // Both polarisations weigh equally.
    const float transmitted = ((ts + tp) * film.beamRatio) * 0.5f;
    return 1.0f - transmitted;
}

} // namespace nacreen
