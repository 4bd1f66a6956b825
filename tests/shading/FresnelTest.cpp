#include "shading/Fresnel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nacreen {
namespace {

struct Interface {
    float ni, nt, cosI, cosT;
};

// Snell's law gives the transmitted cosine for an incidence cosine.
Interface MakeInterface(float ni, float nt, float cosI) {
    const double sinI2 = 1.0 - static_cast<double>(cosI) * cosI;
    const double sinT2 = (static_cast<double>(ni) / nt) * (static_cast<double>(ni) / nt) * sinI2;
    return Interface{ni, nt, cosI, static_cast<float>(std::sqrt(1.0 - sinT2))};
}

TEST(Fresnel, NormalIncidenceGivesTheTextbookAmplitudes) {
    // Air to glass: r = (1 − 1.5) / (1 + 1.5) for both polarisations' convention used here.
    EXPECT_FLOAT_EQ(FresnelRs(1.0f, 1.5f, 1.0f, 1.0f), -0.2f);
    EXPECT_FLOAT_EQ(FresnelRp(1.0f, 1.5f, 1.0f, 1.0f), 0.2f);
    EXPECT_FLOAT_EQ(FresnelTs(1.0f, 1.5f, 1.0f, 1.0f), 0.8f);
    EXPECT_FLOAT_EQ(FresnelTp(1.0f, 1.5f, 1.0f, 1.0f), 0.8f);
    // From inside the glass the reflection changes sign.
    EXPECT_FLOAT_EQ(FresnelRs(1.5f, 1.0f, 1.0f, 1.0f), 0.2f);
}

TEST(Fresnel, ReflectedAndTransmittedPowerAddUpToOne) {
    const float indices[][2] = {{1.0f, 1.5f}, {1.5f, 1.0f}, {1.33f, 2.4f}, {1.0f, 1.0001f}};
    for (const auto& pair : indices) {
        for (float cosI = 1.0f; cosI > 0.75f; cosI -= 0.05f) {
            const Interface f = MakeInterface(pair[0], pair[1], cosI);
            const float beam = (f.nt * f.cosT) / (f.ni * f.cosI);
            const float rs = FresnelRs(f.ni, f.nt, f.cosI, f.cosT);
            const float rp = FresnelRp(f.ni, f.nt, f.cosI, f.cosT);
            const float ts = FresnelTs(f.ni, f.nt, f.cosI, f.cosT);
            const float tp = FresnelTp(f.ni, f.nt, f.cosI, f.cosT);
            EXPECT_NEAR(rs * rs + beam * ts * ts, 1.0f, 1e-5f) << pair[0] << " " << pair[1];
            EXPECT_NEAR(rp * rp + beam * tp * tp, 1.0f, 1e-5f) << pair[0] << " " << pair[1];
        }
    }
}

TEST(Fresnel, BrewsterAngleCancelsTheParallelReflection) {
    // tan θB = nt / ni: for air to glass cos θB = 1 / sqrt(1 + 1.5²).
    const float cosBrewster = static_cast<float>(1.0 / std::sqrt(1.0 + 1.5 * 1.5));
    const Interface f = MakeInterface(1.0f, 1.5f, cosBrewster);
    EXPECT_NEAR(FresnelRp(f.ni, f.nt, f.cosI, f.cosT), 0.0f, 1e-6f);
    EXPECT_LT(FresnelRs(f.ni, f.nt, f.cosI, f.cosT), -0.3f);
}

} // namespace
} // namespace nacreen
