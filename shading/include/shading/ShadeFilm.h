#pragma once

#include "shading/Color4.h"
#include "shading/FilmParams.h"
#include "shading/Vec3.h"

namespace nacreen {

// The colour of one shading sample: the film's colour at the cosine |view·normal| (both unit
// vectors, so back faces shade like front faces) and the thickness picked by mapValue, passed
// through the user's hue, saturation and gamma controls. Every channel is in [0, 1] whatever the
// inputs: a channel that has no value (a NaN map value, a NaN or infinite vector) becomes 0, and
// a zero vector reads as a grazing view. Nothing is allocated and no lock is taken.
Color4 ShadeFilm(const Vec3& view, const Vec3& normal, float mapValue, const FilmParams& params,
                 float gamma);

} // namespace nacreen
