#include "PackedSample.h"

#include "shading/ColorAdjust.h"
#include "shading/FilmReflectance.h"
#include "shading/ShadeFilm.h"

#include <cmath>

namespace explorer {
namespace {

nacreen::FilmParams FilmOf(const float* packed) {
    nacreen::FilmParams film{};
    film.nMedium = packed[7];
    film.nFilm = packed[8];
    film.nInternal = packed[9];
    film.thicknessAtZero = packed[10];
    film.thicknessAtOne = packed[11];
    film.hueShift = packed[12];
    film.saturationShift = packed[13];
    return film;
}

nacreen::Vec3 ViewOf(const float* packed) {
    return {packed[0], packed[1], packed[2]};
}

nacreen::Vec3 NormalOf(const float* packed) {
    return {packed[3], packed[4], packed[5]};
}

} // namespace

nacreen::Color4 ShadePackedSample(const float* packed) {
    return nacreen::ShadeFilm(ViewOf(packed), NormalOf(packed), packed[6], FilmOf(packed),
                              packed[14]);
}

nacreen::Color4 FilmColourOfPackedSample(const float* packed) {
    const float cos0 = std::fabs(nacreen::Dot(ViewOf(packed), NormalOf(packed)));
    return nacreen::EvalFilmColor(cos0, packed[6], FilmOf(packed));
}

nacreen::Color4 AdjustPackedSample(const float* packed, const nacreen::Color4& film) {
    return nacreen::AdjustColor(film, packed[12], packed[13], packed[14]);
}

} // namespace explorer
