#include "shading/ShadeFilm.h"

#include "shading/ColorAdjustInline.h"
#include "shading/FilmColorInline.h"

#include <cmath>

namespace nacreen {

Color4 ShadeFilm(const Vec3& view, const Vec3& normal, float mapValue, const FilmParams& params,
                 float gamma) {
    const float cos0 = std::fabs(Dot(view, normal));
    const Color4 film = EvalFilmColorInline(cos0, mapValue, params);
    return AdjustColorInline(film, params.hueShift, params.saturationShift, gamma);
}

} // namespace nacreen
