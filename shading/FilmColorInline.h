#pragma once

#include "shading/Color4.h"
#include "shading/FilmInterfaces.h"
#include "shading/FilmParams.h"
#include "shading/ForceInline.h"
#include "shading/OpticsConstants.h"

namespace nacreen {

// The body of EvalFilmColor, inlined into the per-sample road as well.
NACREEN_FORCE_INLINE Color4 EvalFilmColorInline(float cos0, float mapValue,
                                                const FilmParams& params) {
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
