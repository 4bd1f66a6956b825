#include "shading/FilmReflectance.h"

#include "shading/FilmInterfaces.h"
#include "shading/OpticsConstants.h"
#include "shading/Sse2.h"

#include <cmath>

namespace nacreen {

float FilmReflectance(float cos0, float wavelength, float thickness, float nMedium, float nFilm,
                      float nInternal) {
    const FilmInterfaces film = PrepareFilmInterfaces(cos0, thickness, nMedium, nFilm, nInternal);
    if (film.reflectsEverything) {
        return 1.0f;
    }
    return ReflectanceAtCosine(film, std::cos(film.opticalPath * (kTwoPi / wavelength)));
}

namespace {
#if NACREEN_SHADING_SSE2
// β² / ((α² − cross) + 1) in two double lanes.
NACREEN_FORCE_INLINE __m128d TransmittedLanes(__m128d betaSquared, __m128d alphaSquared,
                                              __m128d cross) {
    return _mm_div_pd(betaSquared, _mm_add_pd(_mm_sub_pd(alphaSquared, cross), _mm_set1_pd(1.0)));
}
#endif

// The film's colour from the cosines of its three phases, each channel as ReflectanceAtCosine
// computes it, limited to [0, 1]. With SSE2 the six transmitted intensities (s and p of three
// channels) take three double-lane divisions instead of six.
NACREEN_FORCE_INLINE Color4 FilmColourFromCosines(const FilmInterfaces& film, float cosRed,
                                                  float cosGreen, float cosBlue) {
#if NACREEN_SHADING_SSE2
    const __m128 cosines = _mm_setr_ps(cosRed, cosGreen, cosBlue, 0.0f);
    const __m128 crossS = _mm_mul_ps(_mm_set1_ps(2.0f * film.alphaS), cosines);
    const __m128 crossP = _mm_mul_ps(_mm_set1_ps(2.0f * film.alphaP), cosines);
    const double alphaS2 = static_cast<double>(film.alphaS) * static_cast<double>(film.alphaS);
    const double alphaP2 = static_cast<double>(film.alphaP) * static_cast<double>(film.alphaP);
    const double betaS2 = static_cast<double>(film.betaS) * static_cast<double>(film.betaS);
    const double betaP2 = static_cast<double>(film.betaP) * static_cast<double>(film.betaP);

    // Red and green of s, red and green of p, then blue of s and p.
    const __m128d sRedGreen =
        TransmittedLanes(_mm_set1_pd(betaS2), _mm_set1_pd(alphaS2), _mm_cvtps_pd(crossS));
    const __m128d pRedGreen =
        TransmittedLanes(_mm_set1_pd(betaP2), _mm_set1_pd(alphaP2), _mm_cvtps_pd(crossP));
    const __m128d blueSP =
        TransmittedLanes(_mm_setr_pd(betaS2, betaP2), _mm_setr_pd(alphaS2, alphaP2),
                         _mm_cvtps_pd(_mm_unpackhi_ps(crossS, crossP)));

    const __m128 redGreen = sse2::ToFloats(sRedGreen, pRedGreen); // s r, s g, p r, p g
    const __m128 blue = _mm_cvtpd_ps(blueSP);                     // s b, p b
    const __m128 ts = _mm_shuffle_ps(redGreen, blue, _MM_SHUFFLE(1, 0, 1, 0));
    const __m128 tp = _mm_shuffle_ps(redGreen, blue, _MM_SHUFFLE(0, 1, 3, 2));
    const __m128 transmitted =
        _mm_mul_ps(_mm_mul_ps(_mm_add_ps(ts, tp), _mm_set1_ps(film.beamRatio)), _mm_set1_ps(0.5f));
    const __m128 reflected = sse2::ClampUnit(_mm_sub_ps(_mm_set1_ps(1.0f), transmitted));
    return Color4{_mm_cvtss_f32(reflected),
                  _mm_cvtss_f32(_mm_shuffle_ps(reflected, reflected, _MM_SHUFFLE(1, 1, 1, 1))),
                  _mm_cvtss_f32(_mm_movehl_ps(reflected, reflected)), 1.0f};
#else
    Color4 colour{ReflectanceAtCosine(film, cosRed), ReflectanceAtCosine(film, cosGreen),
                  ReflectanceAtCosine(film, cosBlue), 1.0f};
    colour.ClampMinMax();
    return colour;
#endif
}

} // namespace

Color4 EvalFilmColor(float cos0, float mapValue, const FilmParams& params) {
    const float thickness =
        (1.0f - mapValue) * params.thicknessAtZero + mapValue * params.thicknessAtOne;
    // Everything but the phase is the same for the three channels, so it is computed once.
    const FilmInterfaces film =
        PrepareFilmInterfaces(cos0, thickness, params.nMedium, params.nFilm, params.nInternal);
    if (film.reflectsEverything) {
        return Color4{1.0f, 1.0f, 1.0f, 1.0f};
    }
    // The three cosines first, then the arithmetic that waits on them: the library calls do not
    // split the rest into pieces.
    const float cosRed = std::cos(film.opticalPath * (kTwoPi / kRedWavelength));
    const float cosGreen = std::cos(film.opticalPath * (kTwoPi / kGreenWavelength));
    const float cosBlue = std::cos(film.opticalPath * (kTwoPi / kBlueWavelength));
    return FilmColourFromCosines(film, cosRed, cosGreen, cosBlue);
}

} // namespace nacreen
