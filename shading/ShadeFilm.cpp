#include "shading/ShadeFilm.h"

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"

#include <cmath>

namespace nacreen {

// The two stages stay calls: merged into one long function, their library calls and registers
// get in each other's way and a sample takes longer.
Color4 ShadeFilm(const Vec3& view, const Vec3& normal, float mapValue, const FilmParams& params,
                 float gamma) {
    const float cos0 = std::fabs(Dot(view, normal));
    const Color4 film = EvalFilmColor(cos0, mapValue, params);
    return AdjustColor(film, params.hueShift, params.saturationShift, gamma);
}

} // namespace nacreen
