// The functions the page calls. Images are kept in static buffers that live until the next
// render of the same kind, so the page can copy them out of the module's memory without a
// second allocation.
#include "ExplorerImages.h"
#include "PackedSample.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

explorer::ExplorerLook currentLook;

struct RenderedImage {
    imaging::LinearImage linear{1, 1};
    std::vector<std::uint8_t> rgba;
};

RenderedImage swatch;
RenderedImage chart;

void WriteColour(const nacreen::Color4& colour, float* rgba) {
    rgba[0] = colour.r;
    rgba[1] = colour.g;
    rgba[2] = colour.b;
    rgba[3] = colour.a;
}

const std::uint8_t* Keep(RenderedImage& slot, imaging::LinearImage image) {
    slot.rgba = explorer::EncodeRgba8(image);
    slot.linear = std::move(image);
    return slot.rgba.data();
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void explorer_set_look(float thicknessAtZero, float thicknessAtOne,
                                            float nMedium, float nFilm, float nInternal,
                                            float gamma, float hueShift, float saturationShift,
                                            int useThicknessRamp) {
    currentLook.film.thicknessAtZero = thicknessAtZero;
    currentLook.film.thicknessAtOne = thicknessAtOne;
    currentLook.film.nMedium = nMedium;
    currentLook.film.nFilm = nFilm;
    currentLook.film.nInternal = nInternal;
    currentLook.film.hueShift = hueShift;
    currentLook.film.saturationShift = saturationShift;
    currentLook.gamma = gamma;
    currentLook.useThicknessRamp = useThicknessRamp != 0;
}

// RGBA bytes of a width x height swatch of the current look.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* explorer_render_swatch(int width, int height) {
    return Keep(swatch, explorer::RenderSwatch(currentLook, width, height));
}

// RGBA bytes of a width x height chart of the current look, thickness 0 to maxThickness.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* explorer_render_chart(int width, int height,
                                                               float maxThickness) {
    return Keep(chart, explorer::RenderChart(currentLook, width, height, maxThickness));
}

// The linear-light pixels (three floats each) behind the last swatch or chart.
EMSCRIPTEN_KEEPALIVE const float* explorer_swatch_linear() {
    return &swatch.linear.At(0, 0).r;
}

EMSCRIPTEN_KEEPALIVE const float* explorer_chart_linear() {
    return &chart.linear.At(0, 0).r;
}

// Shades `count` packed samples (kPackedSampleFloats floats each) into four floats each.
EMSCRIPTEN_KEEPALIVE void explorer_shade_samples(const float* packed, int count, float* rgba) {
    for (int index = 0; index < count; ++index) {
        WriteColour(explorer::ShadePackedSample(packed + index * explorer::kPackedSampleFloats),
                    rgba + 4 * index);
    }
}

// The film stage alone of each packed sample.
EMSCRIPTEN_KEEPALIVE void explorer_film_colours(const float* packed, int count, float* rgba) {
    for (int index = 0; index < count; ++index) {
        WriteColour(
            explorer::FilmColourOfPackedSample(packed + index * explorer::kPackedSampleFloats),
            rgba + 4 * index);
    }
}

// The colour adjustment alone of each packed sample, applied to the film colours given.
EMSCRIPTEN_KEEPALIVE void explorer_adjust_colours(const float* packed, const float* films,
                                                  int count, float* rgba) {
    for (int index = 0; index < count; ++index) {
        const float* film = films + 4 * index;
        WriteColour(explorer::AdjustPackedSample(packed + index * explorer::kPackedSampleFloats,
                                                 {film[0], film[1], film[2], film[3]}),
                    rgba + 4 * index);
    }
}

EMSCRIPTEN_KEEPALIVE int explorer_packed_sample_floats() {
    return explorer::kPackedSampleFloats;
}

} // extern "C"
