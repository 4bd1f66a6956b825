#pragma once

#include "shading/Color4.h"
#include "shading/FilmParams.h"

namespace nacreen {

// Fraction of the incident intensity that a film of index nFilm and the given thickness
// (nanometres), lying between an outer medium and an internal material, reflects at one
// wavelength (nanometres). cos0 is the cosine of incidence in the outer medium. Unpolarised
// light: s and p weigh equally. Total internal reflection and a grazing view (cos0 = 0) give 1.
// The result is not clamped; rounding may take it a hair below 0.
float FilmReflectance(float cos0, float wavelength, float thickness, float nMedium, float nFilm,
                      float nInternal);

// The film's colour: its reflectance at 650, 510 and 475 nm with alpha 1, each channel limited
// to [0, 1]. The thickness is interpolated between params.thicknessAtZero and
// params.thicknessAtOne by mapValue, which may extrapolate beyond them.
Color4 EvalFilmColor(float cos0, float mapValue, const FilmParams& params);

} // namespace nacreen
