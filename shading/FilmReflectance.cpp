#include "shading/FilmReflectance.h"

#include "shading/FilmColorInline.h"
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
    return EvalFilmColorInline(cos0, mapValue, params);
}

} // namespace nacreen
