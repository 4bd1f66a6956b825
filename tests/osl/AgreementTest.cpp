// Nacreen.osl in the OSL reference engine against the plug-in's shading core, on the same inputs:
// random points over every parameter's range, dense grids of thickness and viewing angle for
// the README's looks, and every combination of the parameters' edges.
#include "OslEngineTest.h"
#include "OslSwatch.h"

#include "shading/ColorAdjust.h"
#include "shading/FilmInterfaces.h"
#include "shading/FilmReflectance.h"
#include "shading/OpticsConstants.h"
#include "shading/ShadeFilm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace oslshade {
namespace {

using nacreen::Color4;
using nacreen::FilmParams;

constexpr double kFilmTolerance = 1e-4;
constexpr double kColourTolerance = 1e-3;

// Differences from the core over many points, per channel.
class Differences {
public:
    void Add(int channel, float osl, float core) {
        values_[channel].push_back(std::fabs(static_cast<double>(osl) - core));
    }
    // The share of points within the tolerance on every channel, and the report's table.
    double ShareWithin(double tolerance) const {
        std::size_t within = 0;
        for (std::size_t i = 0; i < values_[0].size(); ++i) {
            bool all = true;
            for (const std::vector<double>& channel : values_) {
                all = all && (channel.empty() || channel[i] <= tolerance);
            }
            within += all ? 1 : 0;
        }
        return values_[0].empty() ? 1.0 : static_cast<double>(within) / values_[0].size();
    }
    std::string Table(const std::string& title) const {
        static const char* const kNames[] = {"r", "g", "b", "mono"};
        std::string text = title + " (" + std::to_string(values_[0].size()) + " points)\n" +
                           "  channel   p50       p99       p99.9     p99.99    worst\n";
        for (int c = 0; c < 4; ++c) {
            std::vector<double> sorted = values_[c];
            if (sorted.empty()) {
                continue;
            }
            std::sort(sorted.begin(), sorted.end());
            const auto at = [&](double q) {
                return sorted[std::min(sorted.size() - 1,
                                       static_cast<std::size_t>(q * sorted.size()))];
            };
            char line[160];
            std::snprintf(line, sizeof line, "  %-8s  %.2e  %.2e  %.2e  %.2e  %.2e\n", kNames[c],
                          at(0.5), at(0.99), at(0.999), at(0.9999), sorted.back());
            text += line;
        }
        return text;
    }

private:
    std::vector<double> values_[4];
};

// Why a point lies beyond the tolerances.
enum class Cause {
    Unexplained,
    // The core's reflectance has no value there (a film at exactly its critical angle: 0/0),
    // which its clamp shows as black; the shader's division gives the limit, full reflection.
    CoreHasNoValue,
    // A film that reflects almost everything inside turns the last digits of cos(phase), where
    // the engine's cosine may differ from the C library's by an ulp or two, into the colour.
    PhaseDigits,
    // Gamma below 1 on a colour near black, or the hue of a colour near grey, turns the film's
    // last digits into the adjusted colour.
    AdjustmentMagnifies,
    // A phase beyond 2^18 radians (a film a tenth of a millimetre thick, or a map value far
    // outside 0 to 1), where the engine's fast cosine no longer reduces its argument exactly.
    PhaseBeyondCosineRange,
    // A hue beyond 2^24 degrees (a connected input's), where a float keeps no digit below a turn:
    // the core takes its exact remainder, the shader the range's start.
    HueWithoutTurns,
};

const char* const kCauseNames[] = {"unexplained",
                                   "the core has no value",
                                   "last digits of cos(phase) in a film of high finesse",
                                   "the colour adjustment magnifies the film's last digits",
                                   "a phase beyond the range of the engine's cosine",
                                   "a hue with no digit below a turn"};
constexpr int kCauses = 6;
// Where OSL's fast cosine starts to lose its argument reduction.
constexpr float kCosineRange = 262144.0f;

struct CoreColours {
    Color4 film;   // with the colour controls at rest
    Color4 colour; // adjusted
    float mono;
};

CoreColours Core(const ProbedPoint& p) {
    const float mapValue = p.mapEnabled ? p.mapValue : 0.0f;
    FilmParams atRest = p.params;
    atRest.hueShift = 0.0f;
    atRest.saturationShift = 0.0f;
    const Color4 colour = nacreen::ShadeFilm(p.view, p.normal, mapValue, p.params, p.gamma);
    return {nacreen::ShadeFilm(p.view, p.normal, mapValue, atRest, 1.0f), colour,
            ((colour.r + colour.g) + colour.b) / 3.0f};
}

float Largest(const float (&a)[4], const float (&b)[4], int count) {
    float largest = 0.0f;
    for (int c = 0; c < count; ++c) {
        largest = std::max(largest, std::fabs(a[c] - b[c]));
    }
    return largest;
}

// Works out, with the core's own steps, how much its result moves under the small changes the
// shader may make (a few ulps of cos(phase), of the film colour), and names the cause that
// covers the difference seen.
Cause Explain(const ProbedPoint& p, float filmDifference, float colourDifference) {
    const float mapValue = p.mapEnabled ? p.mapValue : 0.0f;
    const FilmParams& params = p.params;
    if (filmDifference <= kFilmTolerance && std::fabs(params.hueShift) >= 16777216.0f) {
        return Cause::HueWithoutTurns;
    }
    const float cos0 = std::fabs(nacreen::Dot(p.view, p.normal));
    const float thickness =
        (1.0f - mapValue) * params.thicknessAtZero + mapValue * params.thicknessAtOne;
    const nacreen::FilmInterfaces film = nacreen::PrepareFilmInterfaces(
        cos0, thickness, params.nMedium, params.nFilm, params.nInternal);
    float phaseSensitivity = 0.0f;
    if (!film.reflectsEverything) {
        for (const float wavelength : {650.0f, 510.0f, 475.0f}) {
            const float phase = film.opticalPath * (nacreen::kTwoPi / wavelength);
            if (std::fabs(phase) > kCosineRange) {
                return Cause::PhaseBeyondCosineRange;
            }
            const float c = std::cos(phase);
            const float reflectance = nacreen::ReflectanceAtCosine(film, c);
            if (std::isnan(reflectance)) {
                return Cause::CoreHasNoValue;
            }
            float nearby = c;
            for (int ulp = 0; ulp < 4; ++ulp) {
                nearby = std::nextafter(nearby, 2.0f);
                phaseSensitivity =
                    std::max(phaseSensitivity,
                             std::fabs(nacreen::ReflectanceAtCosine(film, std::min(nearby, 1.0f)) -
                                       reflectance));
            }
            nearby = c;
            for (int ulp = 0; ulp < 4; ++ulp) {
                nearby = std::nextafter(nearby, -2.0f);
                phaseSensitivity =
                    std::max(phaseSensitivity,
                             std::fabs(nacreen::ReflectanceAtCosine(film, std::max(nearby, -1.0f)) -
                                       reflectance));
            }
        }
    }
    const bool filmCovered = filmDifference <= kFilmTolerance + phaseSensitivity;
    const Color4 raw = nacreen::EvalFilmColor(cos0, mapValue, params);
    const Color4 adjusted =
        nacreen::AdjustColor(raw, params.hueShift, params.saturationShift, p.gamma);
    const float step = filmDifference + 2.4e-7f;
    float adjustmentSensitivity = 0.0f;
    for (int channel = 0; channel < 3; ++channel) {
        for (const float sign : {-1.0f, 1.0f}) {
            Color4 moved = raw;
            float* const channels[] = {&moved.r, &moved.g, &moved.b};
            *channels[channel] = std::clamp(*channels[channel] + sign * step, 0.0f, 1.0f);
            const Color4 shifted =
                nacreen::AdjustColor(moved, params.hueShift, params.saturationShift, p.gamma);
            adjustmentSensitivity =
                std::max({adjustmentSensitivity, std::fabs(shifted.r - adjusted.r),
                          std::fabs(shifted.g - adjusted.g), std::fabs(shifted.b - adjusted.b)});
        }
    }
    const bool colourCovered = colourDifference <= kColourTolerance + adjustmentSensitivity;
    if (filmCovered && colourCovered) {
        return filmDifference > kFilmTolerance ? Cause::PhaseDigits : Cause::AdjustmentMagnifies;
    }
    return Cause::Unexplained;
}

struct Agreement {
    // Over the points where the core has a value and the inputs lie in the engine's ranges.
    Differences film, colour;
    int causes[kCauses] = {};
    std::vector<std::string> unexplained;
};

std::string Describe(const ProbedPoint& p, const CoreColours& core) {
    char line[1024];
    std::snprintf(line, sizeof line,
                  "view (%.9g %.9g %.9g) normal (%.9g %.9g %.9g) n %.9g %.9g %.9g d %.9g..%.9g "
                  "map %.9g%s gamma %.9g hue %.9g sat %.9g: film %g %g %g (core %g %g %g) colour "
                  "%g %g %g (core %g %g %g)",
                  p.view.x, p.view.y, p.view.z, p.normal.x, p.normal.y, p.normal.z,
                  p.params.nMedium, p.params.nFilm, p.params.nInternal, p.params.thicknessAtZero,
                  p.params.thicknessAtOne, p.mapValue, p.mapEnabled ? "" : " (off)", p.gamma,
                  p.params.hueShift, p.params.saturationShift, p.film.r, p.film.g, p.film.b,
                  core.film.r, core.film.g, core.film.b, p.colour.r, p.colour.g, p.colour.b,
                  core.colour.r, core.colour.g, core.colour.b);
    return line;
}

bool InUnitRange(float value) {
    return value >= 0.0f && value <= 1.0f;
}

// Compares every point with the core: the film colour (the colour controls at rest), the
// adjusted colour and the mono value. Every output must lie in [0, 1].
Agreement Compare(const std::vector<ProbedPoint>& points) {
    Agreement agreement;
    for (const ProbedPoint& p : points) {
        const CoreColours core = Core(p);
        const float oslFilm[4] = {p.film.r, p.film.g, p.film.b, 0.0f};
        const float coreFilm[4] = {core.film.r, core.film.g, core.film.b, 0.0f};
        const float oslColour[4] = {p.colour.r, p.colour.g, p.colour.b, p.mono};
        const float coreColour[4] = {core.colour.r, core.colour.g, core.colour.b, core.mono};
        for (int c = 0; c < 4; ++c) {
            EXPECT_TRUE(InUnitRange(oslFilm[c]) && InUnitRange(oslColour[c])) << Describe(p, core);
        }
        const float filmDifference = Largest(oslFilm, coreFilm, 3);
        const float colourDifference = Largest(oslColour, coreColour, 4);
        Cause cause = Cause::AdjustmentMagnifies; // unless beyond a tolerance
        if (filmDifference > kFilmTolerance || colourDifference > kColourTolerance) {
            cause = Explain(p, filmDifference, colourDifference);
            ++agreement.causes[static_cast<int>(cause)];
            if (cause == Cause::CoreHasNoValue) {
                EXPECT_TRUE(p.film.r == 1.0f && p.film.g == 1.0f && p.film.b == 1.0f)
                    << Describe(p, core);
            }
            if (cause == Cause::Unexplained) {
                agreement.unexplained.push_back(Describe(p, core));
            }
        }
        if (cause == Cause::Unexplained || cause == Cause::PhaseDigits ||
            cause == Cause::AdjustmentMagnifies) {
            for (int c = 0; c < 4; ++c) {
                if (c < 3) {
                    agreement.film.Add(c, oslFilm[c], coreFilm[c]);
                }
                agreement.colour.Add(c, oslColour[c], coreColour[c]);
            }
        }
    }
    return agreement;
}

class OslAgreement : public OslEngineTest {
protected:
    // Shades the run, compares, prints the figures and the causes of every point beyond the
    // tolerances, and checks that nothing beyond them goes unexplained and, for points spread
    // over the parameters (not piled on their edges), that at least 99.99 % of those where the
    // core has a value are within them.
    void Check(const std::string& title, const ShadingRun& run, bool spread = true) {
        std::printf("%s\n", CommandText(ShadingCommand(run)).c_str());
        const std::vector<ProbedPoint> points = ShadeProbed(run);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(run.width) * run.height);
        const Agreement agreement = Compare(points);
        std::printf("%s%s", agreement.film.Table(title + ": film colour").c_str(),
                    agreement.colour.Table(title + ": adjusted colour").c_str());
        std::printf("  within the tolerances: film %.4f %%, adjusted %.4f %%\n",
                    100.0 * agreement.film.ShareWithin(kFilmTolerance),
                    100.0 * agreement.colour.ShareWithin(kColourTolerance));
        for (int cause = 0; cause < kCauses; ++cause) {
            if (agreement.causes[cause] > 0) {
                std::printf("  beyond the tolerances, %s: %d\n", kCauseNames[cause],
                            agreement.causes[cause]);
            }
        }
        EXPECT_EQ(agreement.causes[static_cast<int>(Cause::Unexplained)], 0);
        for (std::size_t i = 0; i < std::min<std::size_t>(agreement.unexplained.size(), 20); ++i) {
            std::printf("  unexplained: %s\n", agreement.unexplained[i].c_str());
        }
        if (spread) {
            EXPECT_GE(agreement.film.ShareWithin(kFilmTolerance), 0.9999);
            EXPECT_GE(agreement.colour.ShareWithin(kColourTolerance), 0.9999);
        }
    }
};

TEST_F(OslAgreement, RandomPointsOverEveryRange) {
    ShadingRun run;
    run.mode = 0;
    run.width = 400;
    run.height = 250;
    Check("random", run);
}

TEST_F(OslAgreement, ThicknessAndAngleGridsOfTheLooks) {
    for (const Look& look : Looks()) {
        ShadingRun run;
        run.mode = 1;
        run.width = 301;  // 0 to 3000 nm in steps of 10
        run.height = 181; // 0 to 90 degrees in steps of 0.5
        // The look's stack and colour controls; the thickness is the grid's. What the look
        // leaves out keeps TestInputs' defaults, the map's own.
        run.inputs = {{"maxthickness", 3000.0f}};
        for (const auto& [name, value] : look.values) {
            if (name.rfind("thickness", 0) != 0) {
                run.inputs.push_back({name, std::stof(value)});
            }
        }
        Check(look.title, run);
    }
}

// Renderers optimise shader groups as they see fit, and with them what a comparison with NaN
// gives; the shader must hold at every level.
TEST_F(OslAgreement, EdgesOfEveryParameterStayInRange) {
    for (const int optimisation : {0, 2}) {
        ShadingRun run;
        run.mode = 2;
        run.width = 2048;
        run.height = 42;
        run.optimisation = optimisation;
        Check("edges, -O" + std::to_string(optimisation), run, false);
    }
}

} // namespace
} // namespace oslshade
