#include "shading/FilmReflectance.h"

#include "shading/FilmInterfaces.h"
#include "shading/OpticsConstants.h"

namespace nacreen {

float FilmReflectance(float cos0, float wavelength, float thickness, float nMedium, float nFilm,
                      float nInternal) {
    const FilmInterfaces film = PrepareFilmInterfaces(cos0, thickness, nMedium, nFilm, nInternal);
    if (film.reflectsEverything) {
        return 1.0f;
    }
    return ReflectanceAtPhase(film, film.opticalPath * (kTwoPi / wavelength));
}

Color4 EvalFilmColor(float cos0, float mapValue, const FilmParams& params) {
    const float thickness =
        (1.0f - mapValue) * params.thicknessAtZero + mapValue * params.thicknessAtOne;
    // Everything but the phase is the same for the three channels, so it is computed once.
    const FilmInterfaces film =
        PrepareFilmInterfaces(cos0, thickness, params.nMedium, params.nFilm, params.nInternal);
    if (film.reflectsEverything) {
        return Color4{1.0f, 1.0f, 1.0f, 1.0f};
    }
    Color4 colour{ReflectanceAtPhase(film, film.opticalPath * (kTwoPi / kRedWavelength)),
                  ReflectanceAtPhase(film, film.opticalPath * (kTwoPi / kGreenWavelength)),
                  ReflectanceAtPhase(film, film.opticalPath * (kTwoPi / kBlueWavelength)), 1.0f};
    colour.ClampMinMax();
    return colour;
}

} // namespace nacreen
