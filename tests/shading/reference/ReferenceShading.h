#pragma once

// A plain reference implementation of the shading of one sample, written step by step in the
// order the arithmetic is defined, one wavelength at a time, without any of the shipped core's
// sharing of work. The tests compare the shipped core with it bit for bit and the benchmark
// measures the core against it. It includes the core's corrections: no extra phase term, full
// reflection at a grazing view, an empty range left alone by the wrap, and NaN channels clamped
// to 0.

#include "shading/Color4.h"
#include "shading/FilmParams.h"
#include "shading/Vec3.h"

#include <cmath>

// Each operation of the arithmetic (the four Fresnel coefficients, FilmReflectance, the colour
// conversions, ...) is a function of its own that its callers call, as in a plain implementation
// compiled one operation at a time: every channel repeats the whole reflectance computation,
// and the compiler does not merge the channels' common steps behind the reader's back.
// Defining NACREEN_REFERENCE_OPERATION as plain inline lets the compiler merge them instead.
#if !defined(NACREEN_REFERENCE_OPERATION)
#if defined(_MSC_VER)
#define NACREEN_REFERENCE_OPERATION __declspec(noinline) inline
#else
#define NACREEN_REFERENCE_OPERATION __attribute__((noinline)) inline
#endif
#endif

namespace nacreen::reference {

NACREEN_REFERENCE_OPERATION float FresnelRs(float ni, float nt, float cosI, float cosT) {
    return (ni * cosI - nt * cosT) / (nt * cosT + ni * cosI);
}
NACREEN_REFERENCE_OPERATION float FresnelRp(float ni, float nt, float cosI, float cosT) {
    return (nt * cosI - ni * cosT) / (ni * cosT + nt * cosI);
}
NACREEN_REFERENCE_OPERATION float FresnelTs(float ni, float nt, float cosI, float cosT) {
    return (2.0f * ni) * cosI / (ni * cosI + nt * cosT);
}
NACREEN_REFERENCE_OPERATION float FresnelTp(float ni, float nt, float cosI, float cosT) {
    return (2.0f * ni) * cosI / (nt * cosI + ni * cosT);
}

inline float ClampUnit(float value) {
    if (value != value) {
        return 0.0f;
    }
    if (value < 0.0f) {
        value = 0.0f;
    } else if (value > 1.0f) {
        value = 1.0f;
    }
    return value;
}

inline void ClampMinMax(Color4& colour) {
    colour.r = ClampUnit(colour.r);
    colour.g = ClampUnit(colour.g);
    colour.b = ClampUnit(colour.b);
    colour.a = ClampUnit(colour.a);
}

NACREEN_REFERENCE_OPERATION float FilmReflectance(float cos0, float wavelength, float thickness,
                                                  float n0, float n1, float n2) {
    const double s0 = 1.0 - static_cast<double>(cos0) * static_cast<double>(cos0);

    const float ratio01 = n0 / n1;
    const float s1 =
        static_cast<float>((static_cast<double>(ratio01) * static_cast<double>(ratio01)) * s0);
    if (s1 > 1.0f) {
        return 1.0f;
    }
    const float cos1 = std::sqrt(1.0f - s1);

    const float ratio02 = n0 / n2;
    const float s2 =
        static_cast<float>((static_cast<double>(ratio02) * static_cast<double>(ratio02)) * s0);
    if (s2 > 1.0f) {
        return 1.0f;
    }
    const float cos2 = std::sqrt(1.0f - s2);

    const float alphaS = FresnelRs(n1, n0, cos1, cos0) * FresnelRs(n1, n2, cos1, cos2);
    const float alphaP = FresnelRp(n1, n0, cos1, cos0) * FresnelRp(n1, n2, cos1, cos2);
    const float betaS = FresnelTs(n0, n1, cos0, cos1) * FresnelTs(n1, n2, cos1, cos2);
    const float betaP = FresnelTp(n0, n1, cos0, cos1) * FresnelTp(n1, n2, cos1, cos2);

    const float phi = (((2.0f * n1) * thickness) * cos1) * (6.2831855f / wavelength);
    const float c = std::cos(phi);

    const float crossS = (2.0f * alphaS) * c;
    const float ts = static_cast<float>(
        (static_cast<double>(betaS) * static_cast<double>(betaS)) /
        ((static_cast<double>(alphaS) * static_cast<double>(alphaS) - static_cast<double>(crossS)) +
         1.0));
    const float crossP = (2.0f * alphaP) * c;
    const float tp = static_cast<float>(
        (static_cast<double>(betaP) * static_cast<double>(betaP)) /
        ((static_cast<double>(alphaP) * static_cast<double>(alphaP) - static_cast<double>(crossP)) +
         1.0));

    const float k = (n2 * cos2) / (n0 * cos0);
    if (cos0 == 0.0f || std::isinf(k)) {
        return 1.0f;
    }
    const float t = ((ts + tp) * k) * 0.5f;
    return 1.0f - t;
}

NACREEN_REFERENCE_OPERATION Color4 EvalFilmColor(float cos0, float mapValue,
                                                 const FilmParams& params) {
    const float d = (1.0f - mapValue) * params.thicknessAtZero + mapValue * params.thicknessAtOne;
    Color4 colour{FilmReflectance(cos0, 650.0f, d, params.nMedium, params.nFilm, params.nInternal),
                  FilmReflectance(cos0, 510.0f, d, params.nMedium, params.nFilm, params.nInternal),
                  FilmReflectance(cos0, 475.0f, d, params.nMedium, params.nFilm, params.nInternal),
                  1.0f};
    ClampMinMax(colour);
    return colour;
}

// The loop moves one span at a time, so it is only for values within a few spans of the range.
NACREEN_REFERENCE_OPERATION float WrapToRange(float value, float lo, float hi) {
    if (lo > hi) {
        return value;
    }
    if (std::isnan(value)) {
        return value;
    }
    if (std::isinf(value)) {
        return lo;
    }
    if (lo == hi) {
        return value;
    }
    double v = value;
    const double span = static_cast<double>(hi) - static_cast<double>(lo);
    while (v < lo) {
        v += span;
    }
    while (v >= hi) {
        v -= span;
    }
    return static_cast<float>(v);
}

NACREEN_REFERENCE_OPERATION float HueToChannel(float p, float q, float t) {
    t = WrapToRange(t, 0.0f, 1.0f);
    if (t < 0.16666667f) {
        return ((q - p) * 6.0f) * t + p;
    }
    if (t < 0.5f) {
        return q;
    }
    if (t < 0.6666667f) {
        const float qp = q - p;
        return static_cast<float>(
            (static_cast<double>(qp) * (0.6666666666666666 - static_cast<double>(t))) * 6.0 +
            static_cast<double>(p));
    }
    return p;
}

struct HslValue {
    float h, s, l;
};

NACREEN_REFERENCE_OPERATION HslValue RgbToHsl(float r, float g, float b) {
    float mx = r;
    if (g > mx) {
        mx = g;
    }
    if (b > mx) {
        mx = b;
    }
    float mn = r;
    if (g < mn) {
        mn = g;
    }
    if (b < mn) {
        mn = b;
    }

    float l = (mn + mx) * 0.5f;
    if (l < 0.0f) {
        l = 0.0f;
    }

    float s;
    if (mn == mx || l == 0.0f) {
        s = 0.0f;
    } else if (l <= 0.5f) {
        s = (mx - mn) / (mx + mn);
    } else if (l <= 1.0f) {
        s = (mx - mn) / ((2.0f - mx) - mn);
    } else {
        s = (mn - mx) / ((2.0f - mx) - mn);
    }
    if (s < 0.0f) {
        s = 0.0f;
    }

    float h;
    const float diff = mx - mn;
    if (diff < 0.00001f) {
        h = 0.0f;
    } else {
        float sextant;
        if (r == mx) {
            sextant = (g - b) / diff;
        } else if (g == mx) {
            sextant = (b - r) / diff + 2.0f;
        } else {
            sextant = (r - g) / diff + 4.0f;
        }
        h = WrapToRange(sextant * 60.0f, 0.0f, 360.0f);
    }
    return HslValue{h, s, l};
}

NACREEN_REFERENCE_OPERATION Color4 HslToRgb(float h, float s, float l) {
    float q;
    if (l <= 0.5f) {
        q = (s + 1.0f) * l;
    } else if (l <= 1.0f) {
        q = (l + s) - l * s;
    } else {
        q = (l - s) + l * s;
    }
    const float p = (l + l) - q;
    const float turn = h / 360.0f;
    float r = HueToChannel(p, q, turn + 0.33333334f);
    float g = HueToChannel(p, q, turn);
    float b = HueToChannel(p, q, turn - 0.33333334f);
    if (r < 0.0f) {
        r = 0.0f;
    }
    if (g < 0.0f) {
        g = 0.0f;
    }
    if (b < 0.0f) {
        b = 0.0f;
    }
    return Color4{r, g, b, 1.0f};
}

NACREEN_REFERENCE_OPERATION Color4 AdjustColor(const Color4& colour, float hueShift,
                                               float saturationShift, float gamma) {
    const HslValue hsl = RgbToHsl(colour.r, colour.g, colour.b);
    const float h = WrapToRange(hsl.h + hueShift, 0.0f, 360.0f);
    float s = saturationShift / 100.0f + hsl.s;
    if (s < 0.0f) {
        s = 0.0f;
    }
    const Color4 rgb = HslToRgb(h, s, hsl.l);
    Color4 adjusted{std::pow(rgb.r, gamma), std::pow(rgb.g, gamma), std::pow(rgb.b, gamma),
                    colour.a};
    ClampMinMax(adjusted);
    return adjusted;
}

NACREEN_REFERENCE_OPERATION Color4 ShadeFilm(const Vec3& view, const Vec3& normal, float mapValue,
                                             const FilmParams& params, float gamma) {
    const float cos0 = std::fabs((view.x * normal.x + view.y * normal.y) + view.z * normal.z);
    const Color4 colour = reference::EvalFilmColor(cos0, mapValue, params);
    return reference::AdjustColor(colour, params.hueShift, params.saturationShift, gamma);
}

} // namespace nacreen::reference
